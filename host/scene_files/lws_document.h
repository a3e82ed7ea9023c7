// What a Layout scene file (.lws) holds beyond the scene the host models: the
// file's own bytes, which lines belong to which item, the IDs the file gives
// its items and the values it gave the modelled properties. Saving over it
// writes every line of an unchanged item, and every scene-wide line, exactly
// as read; only items whose modelled values changed are written anew, line by
// line. It lives beside the scene, keyed by the host's item IDs, so the scene
// itself stays small.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "host/files/file_text.h"
#include "host/scene/item.h"

namespace layout {

// An item's modelled values as the file gave them, to tell what a run changed.
struct LwsValues {
  ItemID parent = 0;
  double position[3] = {0, 0, 0};
  double restLength = 1.0;
  double strength = 1.0;
  uint16_t flags = 0;
  uint8_t visibility = 0;
  uint8_t colour = 0;
  uint8_t alphaMode = 0;
  uint8_t boneType = 0;
};

// A run of whole lines of the file, with the item it belongs to (0: the
// scene-wide lines).
struct LwsSegment {
  uint64_t begin = 0;
  uint32_t length = 0;
  ItemID item = 0;
};

struct LwsDocument {
  FileText text;  // the file as read
  int version = 5;
  std::string_view lineEnd = "\n";   // of the first line; lines written anew use it
  std::vector<LwsSegment> segments;  // in file order, together the whole text
  // By type slot and item index, for the items read from the file.
  std::array<std::vector<ItemID>, kItemTypeCount> fileIds;
  std::array<std::vector<LwsValues>, kItemTypeCount> values;

  std::string_view segmentText(const LwsSegment &segment) const {
    return text.view().substr(segment.begin, segment.length);
  }
  // Whether `id` is an item the file held (not one added since).
  bool fromFile(ItemID id) const {
    const auto slot = itemTypeBits(id) - 1;
    return slot < kItemTypeCount && itemIndex(id) < fileIds[slot].size();
  }
};

// The values of `item` a file can hold, in the form LwsValues keeps them.
LwsValues modelledValues(const Item &item);

}  // namespace layout

// The item IDs a scene file gives, each with the place of its item among
// those read. Layout numbers the items of each type in the order it writes
// them (a bone's ID holds its object's number and then its own), so while
// the IDs of each type keep rising, a new ID cannot repeat one and an ID is
// found by halving a list kept in file order: each ID costs an append, not a
// scattered probe into a large table. The first ID out of that order moves
// every ID into a hash table, which then serves any order.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "host/scene/item_id.h"

namespace layout {

class FileIdIndex {
 public:
  // Adds `id` (of one of the item types) at `place`; if the file gave it
  // before, returns the place it has and adds nothing.
  std::optional<uint32_t> add(ItemID id, uint32_t place);
  std::optional<uint32_t> find(ItemID id) const;

 private:
  struct Entry {
    uint32_t key = 0;  // orderKey(): 0 marks a free slot of the hash table
    uint32_t place = 0;
  };
  // Rises with the order Layout gives the items of one type; unique within a
  // type and never 0.
  static uint32_t orderKey(ItemID id) {
    const uint32_t low = id & 0x0FFFFFFFu;
    const uint32_t key = itemTypeBits(id) == 4 ? (low & 0xFFFFu) << 12 | low >> 16 : low;
    return key + 1;
  }
  static size_t typeOf(ItemID id) { return itemTypeBits(id) - 1; }

  // The slot of `key` in the hash table of `type`: the one holding it or
  // the free one where it belongs.
  size_t slotOf(size_t type, uint32_t key) const;
  void hashAll();
  // Makes the table of `type` `size` slots (a power of two) and puts `entries` in.
  void rehash(size_t type, const std::vector<Entry> &entries, size_t size);

  std::array<std::vector<Entry>, kItemTypeCount> inOrder_;  // by type, rising keys
  bool hashed_ = false;
  std::array<std::vector<Entry>, kItemTypeCount> table_;  // by type, open addressing
  std::array<size_t, kItemTypeCount> used_{};
};

}  // namespace layout

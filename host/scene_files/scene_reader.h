// Builds a scene from a scene file in one pass over its text: each item is
// checked and created as soon as its object closes, from its values as read,
// so a file of a million bones never sits in memory as a tree. Links are
// checked once every item exists, since they may point ahead. Every check
// throws a SceneProblem naming the offending value; a text that is not JSON
// throws JsonSyntaxError or JsonTextError.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "host/scene/scene.h"
#include "host/scene_files/json_cursor.h"
#include "host/scene_files/scene_keys.h"
#include "host/scene_files/scene_values.h"
#include "host/services/services.h"

namespace layout {

// Every key an item may have: the value keys, then the switches.
inline constexpr size_t kItemKeyCount = kItemValueKeys.size() + kItemFlagKeys.size();

// One item's values as read, by key, until its object closes.
struct ItemValues {
  uint32_t given = 0;  // a bit for each key given
  std::array<JsonValue, kItemKeyCount> values;
  std::array<std::string, kItemKeyCount> texts;  // strings with escapes, decoded
  size_t positionSize = 0;                       // when "position" is an array
  std::array<JsonValue, 3> position;
  std::array<std::string, 3> positionTexts;
  std::vector<std::string> unknownKeys;

  const JsonValue *find(size_t key) const { return given >> key & 1 ? &values[key] : nullptr; }
};

class SceneReader {
 public:
  void read(std::string_view text);

  Scene &scene() { return scene_; }
  uint32_t build() const { return build_; }
  int dynamicUpdate() const { return dynamicUpdate_; }

 private:
  // A member of the document, kept until the whole text is read.
  struct Member {
    JsonValue value;
    std::string text;  // a string with escapes, decoded
    bool given = false;
    const JsonValue *find() const { return given ? &value : nullptr; }
  };

  void readMember(JsonCursor &in, std::string_view key);
  void readItems(JsonCursor &in);
  void readItemValues(JsonCursor &in);
  void readPosition(JsonCursor &in);
  void readSelectionIds(JsonCursor &in);
  void makeItem();
  ItemType readType(const ValuePlace &place) const;
  void checkItemKeys(const ValuePlace &place, ItemType type) const;
  ItemID assignId(ItemType type, const ValuePlace &place) const;
  void readProperties(Item &item, const ValuePlace &place) const;
  void finish();
  void linkItems();
  void checkForLoops();
  void readSelection();
  size_t fileIndex(ItemID id) const;

  Scene scene_;
  uint32_t build_ = kDefaultHostBuild;
  int dynamicUpdate_ = 0;
  std::vector<ItemID> fileOrder_;  // each item's ID, in file order
  ItemValues item_;
  std::string keyText_, valueText_;  // names and values with escapes, decoded
  bool isObject_ = true;
  JsonValue whole_;  // the document, when it is not an object
  std::array<Member, kSceneKeys.size()> members_;
  std::vector<std::string> unknownKeys_;  // of the document
  // "selection", when an array: its IDs up to the first value that is not
  // one, and the problem with that value.
  std::vector<ItemID> selectionIds_;
  std::optional<SceneProblem> selectionProblem_;
};

}  // namespace layout

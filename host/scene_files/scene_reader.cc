#include "host/scene_files/scene_reader.h"

#include <algorithm>
#include <cstring>

#include "host/scene/parent_loops.h"
#include "host/text/spelling.h"

namespace layout {
namespace {

using Kind = JsonValue::Kind;

// Where a key is in the tables of item keys (value keys first, then switches).
constexpr size_t itemKey(std::string_view name) {
  for (size_t key = 0; key < kItemValueKeys.size(); ++key) {
    if (kItemValueKeys[key].name == name) return key;
  }
  for (size_t flag = 0; flag < kItemFlagKeys.size(); ++flag) {
    if (kItemFlagKeys[flag].key.name == name) return kItemValueKeys.size() + flag;
  }
  return kItemKeyCount;
}

constexpr size_t kIdKey = itemKey("id"), kTypeKey = itemKey("type"), kNameKey = itemKey("name"),
                 kOwnerKey = itemKey("owner"), kParentKey = itemKey("parent"),
                 kVisibilityKey = itemKey("visibility"), kColourKey = itemKey("colour"),
                 kPositionKey = itemKey("position"), kIconScaleKey = itemKey("iconScale"),
                 kAlphaKey = itemKey("alpha"), kRestLengthKey = itemKey("restLength"),
                 kStrengthKey = itemKey("strength"), kBoneTypeKey = itemKey("boneType");
static_assert(kItemKeyCount <= 32, "a bit for each item key");

const ItemKey &itemKeyAt(size_t key) {
  return key < kItemValueKeys.size() ? kItemValueKeys[key] : kItemFlagKeys[key - kItemValueKeys.size()].key;
}

// Where a member of the document is in kSceneKeys.
constexpr size_t sceneKey(std::string_view name) {
  return static_cast<size_t>(std::find(kSceneKeys.begin(), kSceneKeys.end(), name) - kSceneKeys.begin());
}

constexpr size_t kFormatKey = sceneKey("format"), kVersionKey = sceneKey("version"),
                 kBuildKey = sceneKey("build"), kDynamicUpdateKey = sceneKey("dynamicUpdate"),
                 kItemsKey = sceneKey("items"), kSelectionKey = sceneKey("selection"),
                 kCurrentKey = sceneKey("current");

// Every key of every item is looked up, so by a small open-addressed table:
// length and first and last letters tell the item keys apart, and one
// comparison confirms.
constexpr size_t keyHash(std::string_view name) {
  return (name.size() * 7 + static_cast<unsigned char>(name.front()) * 3 +
          static_cast<unsigned char>(name.back())) &
         255;
}

constexpr std::array<uint8_t, 256> kItemKeyTable = [] {
  std::array<uint8_t, 256> table{};
  for (uint8_t &slot : table) slot = kItemKeyCount;
  for (size_t key = 0; key < kItemKeyCount; ++key) {
    const std::string_view name = key < kItemValueKeys.size()
                                      ? kItemValueKeys[key].name
                                      : kItemFlagKeys[key - kItemValueKeys.size()].key.name;
    size_t at = keyHash(name);
    while (table[at] != kItemKeyCount) at = (at + 1) & 255;
    table[at] = static_cast<uint8_t>(key);
  }
  return table;
}();

// Equal texts of the same length, compared eight bytes at a time: a key is
// too short for a call to memcmp to pay.
bool sameText(std::string_view a, std::string_view b) {
  const size_t size = a.size();
  const auto word = [](const char *at) {
    uint64_t bytes;
    std::memcpy(&bytes, at, sizeof bytes);
    return bytes;
  };
  if (size < 8) {
    for (size_t i = 0; i < size; ++i) {
      if (a[i] != b[i]) return false;
    }
    return true;
  }
  for (size_t i = 0; i + 8 < size; i += 8) {
    if (word(a.data() + i) != word(b.data() + i)) return false;
  }
  return word(a.data() + size - 8) == word(b.data() + size - 8);
}

size_t findItemKey(std::string_view name) {
  if (name.empty()) return kItemKeyCount;
  for (size_t at = keyHash(name); kItemKeyTable[at] != kItemKeyCount; at = (at + 1) & 255) {
    const std::string_view known = itemKeyAt(kItemKeyTable[at]).name;
    if (known.size() == name.size() && sameText(known, name)) return kItemKeyTable[at];
  }
  return kItemKeyCount;
}

// The keys an item of each type may have, a bit each.
uint32_t keysOf(ItemType type) {
  uint32_t keys = 0;
  for (size_t key = 0; key < kItemKeyCount; ++key) {
    const auto only = itemKeyAt(key).only;
    if (!only || *only == type) keys |= uint32_t{1} << key;
  }
  return keys;
}

const JsonPath &itemsPath() {
  static const JsonPath kItems = JsonPath().member("items");
  return kItems;
}

bool isContainer(const JsonValue &value) { return value.kind == Kind::kArray || value.kind == Kind::kObject; }

void checkFormat(const JsonValue &format) {
  const JsonPath path = JsonPath().member("format");
  if (readString(format, path) != kSceneFormat) {
    fail(path, "expected \"" + std::string(kSceneFormat) + "\", got " + describe(format));
  }
}

void checkVersion(const JsonValue &version) {
  const bool one = version.kind == Kind::kUnsigned ? version.unsignedValue == kSceneVersion
                                                   : version.kind == Kind::kInteger && version.integer == 1;
  if (!one) {
    fail(JsonPath().member("version"),
         "this host reads version " + std::to_string(kSceneVersion) + ", not " + describe(version));
  }
}

// How a message names an item a reference points at.
std::string describeItem(const Item &item) {
  if (item.type() == ItemType::kBone) return "a bone of " + hexId(item.owner);
  return withArticle(item.type());
}

}  // namespace

void SceneReader::read(std::string_view text) {
  JsonCursor in(text);
  if (in.peek() != '{') {
    isObject_ = false;
    whole_ = in.value(valueText_);
  } else {
    in.enterObject();
    for (bool more = in.firstMember(); more; more = in.nextMember()) readMember(in, in.key(keyText_));
  }
  in.finish();
  finish();
}

void SceneReader::readMember(JsonCursor &in, std::string_view key) {
  const size_t known = sceneKey(key);
  if (known == kSceneKeys.size()) {
    if (std::find(unknownKeys_.begin(), unknownKeys_.end(), key) != unknownKeys_.end()) {
      fail(JsonPath().member(key), "given twice");
    }
    unknownKeys_.emplace_back(key);
    in.skipValue();
    return;
  }
  Member &member = members_[known];
  if (member.given) fail(JsonPath().member(key), "given twice");
  member.given = true;
  if (known == kItemsKey && in.peek() == '[') {
    member.value.kind = Kind::kArray;
    readItems(in);
  } else if (known == kSelectionKey && in.peek() == '[') {
    member.value.kind = Kind::kArray;
    readSelectionIds(in);
  } else {
    member.value = in.value(member.text);
    // Checked at once, so a file of another kind is named as such before
    // its items are judged.
    if (known == kFormatKey && !isContainer(member.value)) checkFormat(member.value);
    if (known == kVersionKey && !isContainer(member.value)) checkVersion(member.value);
  }
}

void SceneReader::readItems(JsonCursor &in) {
  const ValuePlace items(itemsPath());
  in.enterArray();
  for (bool more = in.firstElement(); more; more = in.nextElement()) {
    if (in.peek() == '{') {
      readItemValues(in);
      makeItem();
    } else {
      const JsonValue element = in.value(valueText_);
      fail(ValuePlace(items, fileOrder_.size()), "expected an object, got " + describe(element));
    }
  }
}

// A key given twice is refused as soon as it is read; everything else about
// the item once its object closes.
void SceneReader::readItemValues(JsonCursor &in) {
  item_.given = 0;
  item_.unknownKeys.clear();
  const auto twice = [this](std::string_view key) {
    fail(ValuePlace(ValuePlace(itemsPath()), fileOrder_.size()).path().member(key), "given twice");
  };
  in.enterObject();
  for (bool more = in.firstMember(); more; more = in.nextMember()) {
    const std::string_view key = in.key(keyText_);
    const size_t known = findItemKey(key);
    if (known == kItemKeyCount) {
      auto &unknown = item_.unknownKeys;
      if (std::find(unknown.begin(), unknown.end(), key) != unknown.end()) twice(key);
      unknown.emplace_back(key);
      in.skipValue();
      continue;
    }
    if (item_.given >> known & 1) twice(key);
    item_.given |= uint32_t{1} << known;
    if (known == kPositionKey && in.peek() == '[') {
      item_.values[known].kind = Kind::kArray;
      readPosition(in);
    } else {
      item_.values[known] = in.value(item_.texts[known]);
    }
  }
}

void SceneReader::readPosition(JsonCursor &in) {
  size_t count = 0;
  in.enterArray();
  for (bool more = in.firstElement(); more; more = in.nextElement(), ++count) {
    if (count < item_.position.size()) {
      item_.position[count] = in.value(item_.positionTexts[count]);
    } else {
      in.skipValue();
    }
  }
  item_.positionSize = count;
}

void SceneReader::makeItem() {
  const ValuePlace items(itemsPath());
  const ValuePlace place(items, fileOrder_.size());
  const ItemType type = readType(place);
  checkItemKeys(place, type);
  const ItemID id = assignId(type, place);
  const JsonValue *name = item_.find(kNameKey);
  if (!name) fail(place, "missing \"name\"");
  if (scene_.addItem(type, readString(*name, {place, "name"})) != id) {
    fail(place, "no room in the scene for another " + std::string(itemTypeName(type)));
  }
  readProperties(*scene_.find(id), place);
  fileOrder_.push_back(id);
}

ItemType SceneReader::readType(const ValuePlace &place) const {
  const JsonValue *type = item_.find(kTypeKey);
  if (!type) fail(place, "missing \"type\"");
  const ValuePlace at(place, "type");
  const std::string_view name = readString(*type, at);
  if (const auto known = itemTypeNamed(name)) return *known;
  std::string message = "unknown type " + describe(*type) + "; expected object, light, camera or bone";
  if (name == "null") {
    message += " (a null is an object with \"null\": true)";
  } else {
    Suggestion suggestion(name);
    for (ItemType known : kFileTypeOrder) suggestion.consider(itemTypeName(known));
    message += suggestion.hint();
  }
  fail(at, message);
}

// Of the keys the item may not have, the first in alphabetical order is the
// one named.
void SceneReader::checkItemKeys(const ValuePlace &place, ItemType type) const {
  static const std::array<uint32_t, kItemTypeCount> kKeysOf = [] {
    std::array<uint32_t, kItemTypeCount> keys{};
    for (ItemType each : kFileTypeOrder) keys[static_cast<size_t>(each) - 1] = keysOf(each);
    return keys;
  }();
  const uint32_t foreign = item_.given & ~kKeysOf[static_cast<size_t>(type) - 1];
  if (foreign == 0 && item_.unknownKeys.empty()) return;
  std::string_view first;
  for (size_t key = 0; key < kItemKeyCount; ++key) {
    const std::string_view name = itemKeyAt(key).name;
    if ((foreign >> key & 1) && (first.empty() || name < first)) first = name;
  }
  for (const std::string &unknown : item_.unknownKeys) {
    if (first.empty() || unknown < first) first = unknown;
  }
  const ValuePlace at(place, first);
  const size_t known = findItemKey(first);
  if (known != kItemKeyCount) {
    fail(at, "not a property of " + withArticle(type) + " (only of " + itemTypeName(*itemKeyAt(known).only) +
                 "s)");
  }
  Suggestion suggestion(first);
  for (size_t key = 0; key < kItemKeyCount; ++key) suggestion.consider(itemKeyAt(key).name);
  fail(at, "unknown key" + suggestion.hint());
}

// An item's ID is always the next free one of its type; a file may leave it
// out, and when it gives one it must be that.
ItemID SceneReader::assignId(ItemType type, const ValuePlace &place) const {
  const size_t count = scene_.items(type).size();
  if (count >= kMaxItemsPerType) {
    fail(place, "no room in the scene for another " + std::string(itemTypeName(type)));
  }
  const ItemID next = makeItemId(type, static_cast<uint32_t>(count));
  const JsonValue *given = item_.find(kIdKey);
  if (!given) return next;
  const ValuePlace at(place, "id");
  const ItemID id = readItemId(*given, at);
  if (id == next) return id;
  const uint32_t bits = itemTypeBits(id);
  if (bits < 1 || bits > kItemTypeCount) fail(at, hexId(id) + " is not the ID of any type of item");
  if (!isItemType(id, type)) {
    fail(at, hexId(id) + " is " + withArticle(static_cast<ItemType>(bits)) + " ID, but the item is " +
                 withArticle(type));
  }
  if (itemIndex(id) < count) {
    fail(at, hexId(id) + " is already the ID of items[" + std::to_string(fileIndex(id)) + "]");
  }
  fail(at, "expected " + hexId(next) + ", the next free " + itemTypeName(type) + " ID, got " + hexId(id));
}

void SceneReader::readProperties(Item &item, const ValuePlace &place) const {
  const ItemType type = item.type();
  if (type == ItemType::kBone) item.set(kItemBoneMultiply, true);  // as a new root bone starts
  for (size_t flag = 0; flag < kItemFlagKeys.size(); ++flag) {
    const FlagKey &key = kItemFlagKeys[flag];
    if (const JsonValue *value = item_.find(kItemValueKeys.size() + flag)) {
      item.set(key.flag, readBool(*value, {place, key.key.name}));
    }
  }
  if (const JsonValue *value = item_.find(kVisibilityKey)) {
    const int highest = type == ItemType::kObject ? 7 : 1;
    item.visibility = static_cast<uint8_t>(
        readInteger(*value, {place, "visibility"}, 0, highest, "for " + withArticle(type)));
  }
  if (const JsonValue *value = item_.find(kColourKey)) {
    item.colour = static_cast<uint8_t>(readInteger(*value, {place, "colour"}, 0, 14));
  }
  if (const JsonValue *value = item_.find(kAlphaKey)) {
    item.alphaMode = static_cast<uint8_t>(readInteger(*value, {place, "alpha"}, 0, 2));
  }
  if (const JsonValue *value = item_.find(kPositionKey)) {
    const ValuePlace at(place, "position");
    if (value->kind != Kind::kArray || item_.positionSize != 3) {
      const std::string got = value->kind == Kind::kArray
                                  ? "an array of " + std::to_string(item_.positionSize) + " values"
                                  : describe(*value);
      fail(at, "expected [x, y, z], got " + got);
    }
    for (size_t axis = 0; axis < 3; ++axis) item.position[axis] = readReal(item_.position[axis], {at, axis});
  }
  if (const JsonValue *value = item_.find(kIconScaleKey))
    item.iconScale = readReal(*value, {place, "iconScale"});
  if (const JsonValue *value = item_.find(kParentKey); value && value->kind != Kind::kNull) {
    item.parent = readItemId(*value, {place, "parent"});
  }
  if (type != ItemType::kBone) return;
  const JsonValue *owner = item_.find(kOwnerKey);
  if (!owner) fail(place, "missing \"owner\", the object the bone belongs to");
  item.owner = readItemId(*owner, {place, "owner"});
  if (const JsonValue *value = item_.find(kRestLengthKey)) {
    item.restLength = readReal(*value, {place, "restLength"});
  }
  if (const JsonValue *value = item_.find(kStrengthKey))
    item.strength = readReal(*value, {place, "strength"});
  if (const JsonValue *value = item_.find(kBoneTypeKey)) {
    item.boneType = static_cast<uint8_t>(readInteger(*value, {place, "boneType"}, 0, 1));
  }
}

void SceneReader::readSelectionIds(JsonCursor &in) {
  const JsonPath path = JsonPath().member("selection");
  const ValuePlace selection(path);
  size_t index = 0;
  in.enterArray();
  for (bool more = in.firstElement(); more; more = in.nextElement(), ++index) {
    const JsonValue element = in.value(valueText_);
    if (selectionProblem_) continue;
    try {
      selectionIds_.push_back(readItemId(element, {selection, index}));
    } catch (SceneProblem &problem) {
      // Given once the items are linked, as then the earlier IDs are judged.
      selectionProblem_ = std::move(problem);
    }
  }
}

void SceneReader::finish() {
  const JsonPath top;
  if (!isObject_) fail(top, "expected an object, got " + describe(whole_));
  const JsonValue *format = members_[kFormatKey].find();
  if (!format) fail(top, "not a scene file: no \"format\": \"" + std::string(kSceneFormat) + "\"");
  checkFormat(*format);
  const JsonValue *version = members_[kVersionKey].find();
  if (!version) fail(top, "missing \"version\"");
  checkVersion(*version);
  if (!unknownKeys_.empty()) {
    const std::string &key = *std::min_element(unknownKeys_.begin(), unknownKeys_.end());
    Suggestion suggestion(key);
    for (std::string_view known : kSceneKeys) suggestion.consider(known);
    fail(top.member(key), "unknown key" + suggestion.hint());
  }
  if (const JsonValue *value = members_[kBuildKey].find()) {
    build_ = static_cast<uint32_t>(readInteger(*value, top.member("build"), 0, 4095));
  }
  if (const JsonValue *value = members_[kDynamicUpdateKey].find()) {
    dynamicUpdate_ = readInteger(*value, top.member("dynamicUpdate"), 0, 2);
  }
  if (const JsonValue *items = members_[kItemsKey].find(); items && items->kind != Kind::kArray) {
    fail(top.member("items"), "expected an array of items, got " + describe(*items));
  }
  linkItems();
  readSelection();
}

void SceneReader::linkItems() {
  const ValuePlace items(itemsPath());
  for (size_t index = 0; index < fileOrder_.size(); ++index) {
    Item &item = *scene_.find(fileOrder_[index]);
    const ValuePlace place(items, index);
    const bool bone = item.type() == ItemType::kBone;
    if (bone) {
      const Item *owner = scene_.find(item.owner);
      if (!owner) fail({place, "owner"}, "no item " + hexId(item.owner));
      if (owner->type() != ItemType::kObject) {
        fail({place, "owner"}, hexId(item.owner) + " is " + describeItem(*owner) + ", not an object");
      }
    }
    if (item.parent == 0) continue;
    const Item *parent = scene_.find(item.parent);
    if (!parent) fail({place, "parent"}, "no item " + hexId(item.parent));
    if (parent == &item) fail({place, "parent"}, "an item cannot be its own parent");
    if (!bone) continue;
    if (item.parent == item.owner) {
      item.parent = 0;  // a root bone, as the scene keeps it
    } else if (parent->type() != ItemType::kBone || parent->owner != item.owner) {
      fail({place, "parent"}, hexId(item.parent) + " is " + describeItem(*parent) +
                                  ", not this bone's object " + hexId(item.owner) + " or one of its bones");
    }
  }
  checkForLoops();
}

void SceneReader::checkForLoops() {
  const std::vector<ItemID> loop = findParentLoop(scene_, fileOrder_);
  if (loop.empty()) return;
  const Item &item = *scene_.find(loop.front());
  const bool rootBone = item.type() == ItemType::kBone && item.parent == 0;
  fail(itemsPath().element(fileIndex(item.id)).member(rootBone ? "owner" : "parent"),
       hexId(item.id) + " is its own ancestor: " + describeLoop(loop));
}

void SceneReader::readSelection() {
  if (const JsonValue *selection = members_[kSelectionKey].find()) {
    const JsonPath path = JsonPath().member("selection");
    if (selection->kind != Kind::kArray) fail(path, "expected an array of IDs, got " + describe(*selection));
    for (size_t index = 0; index < selectionIds_.size(); ++index) {
      const ItemID id = selectionIds_[index];
      if (!scene_.find(id)) fail(path.element(index), "no item " + hexId(id));
      if (scene_.isSelected(id)) fail(path.element(index), hexId(id) + " is listed twice");
      scene_.addToSelection(id);
    }
    if (selectionProblem_) throw *selectionProblem_;
  }
  // Left out, the current item is the one selected last, as when selecting.
  if (const JsonValue *current = members_[kCurrentKey].find(); current && current->kind != Kind::kNull) {
    const JsonPath path = JsonPath().member("current");
    const ItemID id = readItemId(*current, path);
    if (!scene_.isSelected(id)) {
      fail(path, scene_.find(id) ? hexId(id) + " is not in the selection" : "no item " + hexId(id));
    }
    scene_.addToSelection(id);
  }
}

// Only for messages: a search, so that reading keeps no map from ID to place.
size_t SceneReader::fileIndex(ItemID id) const {
  return static_cast<size_t>(std::find(fileOrder_.begin(), fileOrder_.end(), id) - fileOrder_.begin());
}

}  // namespace layout

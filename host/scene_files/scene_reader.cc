#include "host/scene_files/scene_reader.h"

#include <algorithm>
#include <unordered_map>

#include "host/scene/parent_loops.h"
#include "host/scene_files/scene_keys.h"
#include "host/text/spelling.h"

namespace layout {
namespace {

JsonPath itemPath(size_t index) { return JsonPath().member("items").element(index); }

// Where a value is given in a JSON object, or null.
const Json *member(const Json &object, std::string_view name) {
  const auto found = object.find(name);
  return found == object.end() ? nullptr : &*found;
}

// Refuses a key given twice in one object. `where` names the object; it is
// only built for the message, as paths cost an allocation each.
template <typename Where>
void refuseRepeat(std::vector<std::string> &seen, const std::string &key, Where where) {
  if (std::find(seen.begin(), seen.end(), key) != seen.end()) fail(where().member(key), "given twice");
  seen.push_back(key);
}

void checkFormat(const Json &format) {
  const JsonPath path = JsonPath().member("format");
  if (readString(format, path) != kSceneFormat) {
    fail(path, "expected \"" + std::string(kSceneFormat) + "\", got " + describe(format));
  }
}

void checkVersion(const Json &version) {
  if (!version.is_number_integer() || version.get<int64_t>() != kSceneVersion) {
    fail(JsonPath().member("version"),
         "this host reads version " + std::to_string(kSceneVersion) + ", not " + describe(version));
  }
}

ItemType readType(const Json &json, const JsonPath &path) {
  const Json *type = member(json, "type");
  if (!type) fail(path, "missing \"type\"");
  const std::string &name = readString(*type, {path, "type"});
  if (const auto known = itemTypeNamed(name)) return *known;
  std::string message = "unknown type " + describe(*type) + "; expected object, light, camera or bone";
  if (name == "null") {
    message += " (a null is an object with \"null\": true)";
  } else {
    Suggestion suggestion(name);
    for (ItemType known : kFileTypeOrder) suggestion.consider(itemTypeName(known));
    message += suggestion.hint();
  }
  fail(path.member("type"), message);
}

// Every key of an item, looked up by hash: each key of each item is checked.
const ItemKey *findItemKey(std::string_view name) {
  static const std::unordered_map<std::string_view, const ItemKey *> kKeys = [] {
    std::unordered_map<std::string_view, const ItemKey *> keys;
    for (const ItemKey &key : kItemValueKeys) keys.emplace(key.name, &key);
    for (const FlagKey &flag : kItemFlagKeys) keys.emplace(flag.key.name, &flag.key);
    return keys;
  }();
  const auto found = kKeys.find(name);
  return found == kKeys.end() ? nullptr : found->second;
}

void checkItemKeys(const Json &json, const JsonPath &path, ItemType type) {
  for (const auto &[key, value] : json.items()) {
    const ItemKey *known = findItemKey(key);
    if (known && known->only && *known->only != type) {
      fail(path.member(key),
           "not a property of " + withArticle(type) + " (only of " + itemTypeName(*known->only) + "s)");
    }
    if (known) continue;
    Suggestion suggestion(key);
    for (const ItemKey &candidate : kItemValueKeys) suggestion.consider(candidate.name);
    for (const FlagKey &candidate : kItemFlagKeys) suggestion.consider(candidate.key.name);
    fail(path.member(key), "unknown key" + suggestion.hint());
  }
}

// How a message names an item a reference points at.
std::string describeItem(const Item &item) {
  if (item.type() == ItemType::kBone) return "a bone of " + hexId(item.owner);
  return withArticle(item.type());
}

}  // namespace

bool SceneReader::onEvent(int depth, Json::parse_event_t event, Json &parsed) {
  using Event = Json::parse_event_t;
  // Depth 1: the members of the document; 2: the elements of "items".
  if (depth == 1) {
    if (event == Event::key) {
      topKey_ = parsed.get_ref<const std::string &>();
      refuseRepeat(topKeys_, topKey_, [] { return JsonPath(); });
    } else if (event == Event::array_start) {
      inItems_ = topKey_ == "items";
    } else if (event == Event::array_end) {
      inItems_ = false;
    } else if (event == Event::value && topKey_ == "format") {
      // Checked at once, so a file of another kind is named as such before
      // its items are judged.
      checkFormat(parsed);
    } else if (event == Event::value && topKey_ == "version") {
      checkVersion(parsed);
    }
    return true;
  }
  if (!inItems_) return true;
  if (depth == 3 && event == Event::key) {
    refuseRepeat(itemKeys_, parsed.get_ref<const std::string &>(),
                 [this] { return itemPath(fileOrder_.size()); });
  }
  if (depth != 2) return true;
  switch (event) {
    case Event::object_start:
      itemKeys_.clear();
      return true;
    case Event::object_end:
      readItem(parsed);
      return false;
    case Event::value:
    case Event::array_end:
      fail(itemPath(fileOrder_.size()), "expected an object, got " + describe(parsed));
    default:
      return true;
  }
}

void SceneReader::readItem(const Json &json) {
  const JsonPath path = itemPath(fileOrder_.size());
  const ItemType type = readType(json, path);
  checkItemKeys(json, path, type);
  const ItemID id = assignId(type, json, path);
  const Json *name = member(json, "name");
  if (!name) fail(path, "missing \"name\"");
  if (scene_.addItem(type, readString(*name, {path, "name"})) != id) {
    fail(path, "no room in the scene for another " + std::string(itemTypeName(type)));
  }
  readProperties(*scene_.find(id), json, path);
  fileOrder_.push_back(id);
}

// An item's ID is always the next free one of its type; a file may leave it
// out, and when it gives one it must be that.
ItemID SceneReader::assignId(ItemType type, const Json &json, const JsonPath &path) const {
  const size_t count = scene_.items(type).size();
  if (count >= kMaxItemsPerType) {
    fail(path, "no room in the scene for another " + std::string(itemTypeName(type)));
  }
  const ItemID next = makeItemId(type, static_cast<uint32_t>(count));
  const Json *given = member(json, "id");
  if (!given) return next;
  const ItemID id = readItemId(*given, {path, "id"});
  if (id == next) return id;
  const JsonPath idPath = path.member("id");
  const uint32_t bits = itemTypeBits(id);
  if (bits < 1 || bits > kItemTypeCount) fail(idPath, hexId(id) + " is not the ID of any type of item");
  if (!isItemType(id, type)) {
    fail(idPath, hexId(id) + " is " + withArticle(static_cast<ItemType>(bits)) + " ID, but the item is " +
                     withArticle(type));
  }
  if (itemIndex(id) < count) {
    fail(idPath, hexId(id) + " is already the ID of items[" + std::to_string(fileIndex(id)) + "]");
  }
  fail(idPath, "expected " + hexId(next) + ", the next free " + itemTypeName(type) + " ID, got " + hexId(id));
}

void SceneReader::readProperties(Item &item, const Json &json, const JsonPath &path) {
  const ItemType type = item.type();
  if (type == ItemType::kBone) item.set(kItemBoneMultiply, true);  // as a new root bone starts
  for (const FlagKey &flag : kItemFlagKeys) {
    if (const Json *value = member(json, flag.key.name)) {
      item.set(flag.flag, readBool(*value, {path, flag.key.name}));
    }
  }
  if (const Json *value = member(json, "visibility")) {
    const int highest = type == ItemType::kObject ? 7 : 1;
    item.visibility = static_cast<uint8_t>(
        readInteger(*value, {path, "visibility"}, 0, highest, "for " + withArticle(type)));
  }
  if (const Json *value = member(json, "colour")) {
    item.colour = static_cast<uint8_t>(readInteger(*value, {path, "colour"}, 0, 14));
  }
  if (const Json *value = member(json, "alpha")) {
    item.alphaMode = static_cast<uint8_t>(readInteger(*value, {path, "alpha"}, 0, 2));
  }
  if (const Json *value = member(json, "position")) {
    const JsonPath at = path.member("position");
    if (!value->is_array() || value->size() != 3) {
      const std::string got =
          value->is_array() ? "an array of " + std::to_string(value->size()) + " values" : describe(*value);
      fail(at, "expected [x, y, z], got " + got);
    }
    for (size_t axis = 0; axis < 3; ++axis) item.position[axis] = readReal((*value)[axis], {at, axis});
  }
  if (const Json *value = member(json, "iconScale")) {
    item.iconScale = readReal(*value, {path, "iconScale"});
  }
  if (const Json *value = member(json, "parent"); value && !value->is_null()) {
    item.parent = readItemId(*value, {path, "parent"});
  }
  if (type != ItemType::kBone) return;
  const Json *owner = member(json, "owner");
  if (!owner) fail(path, "missing \"owner\", the object the bone belongs to");
  item.owner = readItemId(*owner, {path, "owner"});
  if (const Json *value = member(json, "restLength")) {
    item.restLength = readReal(*value, {path, "restLength"});
  }
  if (const Json *value = member(json, "strength")) item.strength = readReal(*value, {path, "strength"});
  if (const Json *value = member(json, "boneType")) {
    item.boneType = static_cast<uint8_t>(readInteger(*value, {path, "boneType"}, 0, 1));
  }
}

void SceneReader::finish(const Json &document) {
  const JsonPath top;
  if (!document.is_object()) fail(top, "expected an object, got " + describe(document));
  const Json *format = member(document, "format");
  if (!format) fail(top, "not a scene file: no \"format\": \"" + std::string(kSceneFormat) + "\"");
  checkFormat(*format);
  const Json *version = member(document, "version");
  if (!version) fail(top, "missing \"version\"");
  checkVersion(*version);
  for (const auto &[key, value] : document.items()) {
    if (std::find(kSceneKeys.begin(), kSceneKeys.end(), key) != kSceneKeys.end()) continue;
    Suggestion suggestion(key);
    for (std::string_view known : kSceneKeys) suggestion.consider(known);
    fail(top.member(key), "unknown key" + suggestion.hint());
  }
  if (const Json *value = member(document, "build")) {
    build_ = static_cast<uint32_t>(readInteger(*value, top.member("build"), 0, 4095));
  }
  if (const Json *value = member(document, "dynamicUpdate")) {
    dynamicUpdate_ = readInteger(*value, top.member("dynamicUpdate"), 0, 2);
  }
  if (const Json *items = member(document, "items"); items && !items->is_array()) {
    fail(top.member("items"), "expected an array of items, got " + describe(*items));
  }
  linkItems();
  readSelection(document);
}

void SceneReader::linkItems() {
  for (size_t index = 0; index < fileOrder_.size(); ++index) {
    Item &item = *scene_.find(fileOrder_[index]);
    const JsonPath path = itemPath(index);
    const bool bone = item.type() == ItemType::kBone;
    if (bone) {
      const Item *owner = scene_.find(item.owner);
      if (!owner) fail(path.member("owner"), "no item " + hexId(item.owner));
      if (owner->type() != ItemType::kObject) {
        fail(path.member("owner"), hexId(item.owner) + " is " + describeItem(*owner) + ", not an object");
      }
    }
    if (item.parent == 0) continue;
    const Item *parent = scene_.find(item.parent);
    if (!parent) fail(path.member("parent"), "no item " + hexId(item.parent));
    if (parent == &item) fail(path.member("parent"), "an item cannot be its own parent");
    if (!bone) continue;
    if (item.parent == item.owner) {
      item.parent = 0;  // a root bone, as the scene keeps it
    } else if (parent->type() != ItemType::kBone || parent->owner != item.owner) {
      fail(path.member("parent"), hexId(item.parent) + " is " + describeItem(*parent) +
                                      ", not this bone's object " + hexId(item.owner) +
                                      " or one of its bones");
    }
  }
  checkForLoops();
}

void SceneReader::checkForLoops() {
  const std::vector<ItemID> loop = findParentLoop(scene_, fileOrder_);
  if (loop.empty()) return;
  const Item &item = *scene_.find(loop.front());
  const bool rootBone = item.type() == ItemType::kBone && item.parent == 0;
  fail(itemPath(fileIndex(item.id)).member(rootBone ? "owner" : "parent"),
       hexId(item.id) + " is its own ancestor: " + describeLoop(loop));
}

void SceneReader::readSelection(const Json &document) {
  if (const Json *selection = member(document, "selection")) {
    const JsonPath path = JsonPath().member("selection");
    if (!selection->is_array()) fail(path, "expected an array of IDs, got " + describe(*selection));
    for (size_t index = 0; index < selection->size(); ++index) {
      const ItemID id = readItemId((*selection)[index], path.element(index));
      if (!scene_.find(id)) fail(path.element(index), "no item " + hexId(id));
      if (scene_.isSelected(id)) fail(path.element(index), hexId(id) + " is listed twice");
      scene_.addToSelection(id);
    }
  }
  // Left out, the current item is the one selected last, as when selecting.
  if (const Json *current = member(document, "current"); current && !current->is_null()) {
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

#include "host/scene/scene.h"

#include <algorithm>
#include <limits>

#include "host/text/text_hash.h"

namespace layout {
namespace {

// What a new item starts with, by type. Every item starts active, at the
// origin, with icon scale 1 and the alpha channel taken from its surfaces.
// Objects start with the three shadow options on and the other render flags
// off, as Layout does; objects are drawn shaded (visibility 5), other items
// visible (1). Colours follow Layout's usual look: grey objects, yellow
// lights, cyan cameras, blue bones.
struct TypeDefaults {
  uint8_t visibility;
  uint8_t colour;
  uint16_t flags;
};

constexpr uint16_t kObjectShadows = kItemSelfShadow | kItemCastShadow | kItemReceiveShadow;

constexpr TypeDefaults defaultsFor(ItemType type) {
  switch (type) {
    case ItemType::kObject:
      return {5, 7, kItemActive | kObjectShadows};
    case ItemType::kLight:
      return {1, 13, kItemActive};
    case ItemType::kCamera:
      return {1, 10, kItemActive};
    case ItemType::kBone:
      return {1, 8, kItemActive};
  }
  return {1, 0, kItemActive};
}

}  // namespace

Item *Scene::newItem(ItemType type, std::string_view name) {
  ItemChunks &list = items_[typeSlot(type)];
  if (list.size() >= kMaxItemsPerType) return nullptr;
  if (names_.size() + name.size() > std::numeric_limits<uint32_t>::max()) return nullptr;
  Item &item = list.emplace_back();
  item.id = makeItemId(type, static_cast<uint32_t>(list.size() - 1));
  item.name = storeName(name);
  const TypeDefaults defaults = defaultsFor(type);
  item.visibility = defaults.visibility;
  item.colour = defaults.colour;
  item.flags = defaults.flags;
  return &item;
}

// Runs repeat names ("Bone_001" under every selected bone), so a name met
// recently is stored once and shared; names never change once given.
NameRef Scene::storeName(std::string_view name) {
  if (!recentNames_) recentNames_ = std::make_unique<NameRef[]>(kRecentNames);
  NameRef &slot = recentNames_[textHash(name) % kRecentNames];
  if (slot.length == name.size() && std::string_view(names_).substr(slot.offset, slot.length) == name) {
    return slot;
  }
  slot = {static_cast<uint32_t>(names_.size()), static_cast<uint32_t>(name.size())};
  names_.append(name);
  return slot;
}

ItemID Scene::addItem(ItemType type, std::string_view name) {
  Item *item = newItem(type, name);
  return item ? item->id : 0;
}

ItemID Scene::addObject(std::string_view name) { return addItem(ItemType::kObject, name); }

ItemID Scene::addNull(std::string_view name) {
  Item *item = newItem(ItemType::kObject, name);
  if (!item) return 0;
  item->set(kItemNull, true);
  return item->id;
}

ItemID Scene::addLight(std::string_view name) { return addItem(ItemType::kLight, name); }

ItemID Scene::addCamera(std::string_view name) { return addItem(ItemType::kCamera, name); }

ItemID Scene::addBone(std::string_view name, ItemID parent) {
  const Item *above = find(parent);
  if (!above || (above->type() != ItemType::kObject && above->type() != ItemType::kBone)) return 0;
  const bool rootBone = above->type() == ItemType::kObject;
  const ItemID owner = rootBone ? above->id : above->owner;
  const bool multiply = rootBone || above->has(kItemBoneMultiply);
  Item *bone = newItem(ItemType::kBone, name);
  if (!bone) return 0;
  bone->owner = owner;
  bone->parent = rootBone ? 0 : parent;
  bone->set(kItemBoneMultiply, multiply);
  ++find(parent)->childCount;
  return bone->id;
}

void Scene::replace(Scene &&other) {
  items_ = std::move(other.items_);
  names_ = std::move(other.names_);
  recentNames_ = std::move(other.recentNames_);
  std::optional<RetiredSelection> retired = selection_.replace(std::move(other.selection_));
  current_ = other.current_;
  // Keeps rising, so nobody mistakes the new selection for one seen before.
  selectionVersion_ = std::max(selectionVersion_, other.selectionVersion_);
  countChildren();
  selectionChanged(0, std::move(retired));
}

void Scene::countChildren() {
  for (auto &list : items_) {
    for (size_t i = 0; i < list.size(); ++i) list[i].childCount = 0;
  }
  for (const auto &list : items_) {
    for (const Item &item : list) {
      if (Item *parent = find(effectiveParent(item))) ++parent->childCount;
    }
  }
}

std::string_view Scene::name(const Item &item) const {
  return std::string_view(names_).substr(item.name.offset, item.name.length);
}

size_t Scene::itemCount() const {
  size_t count = 0;
  for (const auto &list : items_) count += list.size();
  return count;
}

ItemID Scene::effectiveParent(const Item &item) const {
  if (item.parent == 0 && item.type() == ItemType::kBone) return item.owner;
  return item.parent;
}

ParentError Scene::setParent(ItemID child, ItemID parent) {
  Item *item = find(child);
  if (!item) return ParentError::kUnknownChild;
  const Item *above = parent ? find(parent) : nullptr;
  if (parent && !above) return ParentError::kUnknownParent;
  if (parent == child) return ParentError::kSelf;
  if (item->type() == ItemType::kBone) {
    const bool ownBone = above && above->type() == ItemType::kBone && above->owner == item->owner;
    if (parent && parent != item->owner && !ownBone) return ParentError::kBoneOfOtherObject;
    if (parent == item->owner) parent = 0;  // a root bone
  }
  // Only an item with children can end up above its new parent.
  if (item->childCount != 0) {
    for (const Item *up = above; up; up = find(effectiveParent(*up))) {
      if (up->id == child) return ParentError::kCycle;
    }
  }
  if (Item *before = find(effectiveParent(*item))) --before->childCount;
  item->parent = parent;
  if (Item *after = find(effectiveParent(*item))) ++after->childCount;
  return ParentError::kNone;
}

bool Scene::select(ItemID id) {
  Item *item = find(id);
  if (!item) return false;
  for (ItemID selected : selection_.view()) find(selected)->set(kItemSelected, false);
  std::optional<RetiredSelection> retired = selection_.assign(id);
  item->set(kItemSelected, true);
  current_ = id;
  selectionChanged(0, std::move(retired));
  return true;
}

bool Scene::addToSelection(ItemID id) {
  Item *item = find(id);
  if (!item) return false;
  current_ = id;
  if (item->has(kItemSelected)) return true;
  item->set(kItemSelected, true);
  std::optional<RetiredSelection> retired = selection_.append(id);
  selectionChanged(selection_.size() - 1, std::move(retired));
  return true;
}

void Scene::clearSelection() {
  for (ItemID selected : selection_.view()) find(selected)->set(kItemSelected, false);
  std::optional<RetiredSelection> retired = selection_.clear();
  current_ = 0;
  selectionChanged(0, std::move(retired));
}

bool Scene::isSelected(ItemID id) const {
  const Item *item = find(id);
  return item && item->has(kItemSelected);
}

void Scene::selectionChanged(size_t firstChanged, std::optional<RetiredSelection> retired) {
  ++selectionVersion_;
  if (observer_) observer_(firstChanged, std::move(retired));
}

}  // namespace layout

// The substitute host's scene: items of four types, their names and parents,
// and the ordered selection with its current item.
//
// Items of one type sit in one chunked list indexed by the low bits of their
// ID, so finding, adding, selecting and flipping a flag stay O(1) even for a
// million bones, and an item never moves. Scene order of a type is creation
// order.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "host/scene/item.h"
#include "host/scene/item_chunks.h"
#include "host/scene/selection_list.h"

namespace layout {

enum class ParentError {
  kNone,
  kUnknownChild,
  kUnknownParent,
  kSelf,
  kCycle,             // the parent is below the child
  kBoneOfOtherObject  // a bone's parent must be its owner or a bone of it
};

class Scene {
 public:
  // Told after every change of the selection, with the first position of the
  // selection order that may differ from before, and the array the change
  // retired when a module held it.
  using SelectionObserver = std::function<void(size_t firstChanged, std::optional<RetiredSelection> retired)>;

  // Each returns the new item's ID, or 0 when its type has no index left.
  ItemID addObject(std::string_view name);
  ItemID addNull(std::string_view name);
  ItemID addLight(std::string_view name);
  ItemID addCamera(std::string_view name);
  // A bone below `parent`: a root bone when it is an object, a child bone
  // (same owner object) when it is a bone; 0 otherwise. A root bone starts
  // with its multiply flag set; a child bone takes its parent's.
  ItemID addBone(std::string_view name, ItemID parent);
  // An item with its type's defaults and no links: for a reader that creates
  // items before the items they link to, and sets parent and owner after.
  ItemID addItem(ItemType type, std::string_view name);

  // Takes over `other`'s items and selection. This scene keeps its selection
  // observer, which is told that the whole selection may have changed.
  void replace(Scene &&other);

  // Inline: most command texts look up the current item.
  Item *find(ItemID id) {
    const uint32_t slot = itemTypeBits(id) - 1;  // wraps for type bits 0
    if (slot >= static_cast<uint32_t>(kItemTypeCount)) return nullptr;
    ItemChunks &list = items_[slot];
    const uint32_t index = itemIndex(id);
    return index < list.size() ? &list[index] : nullptr;
  }
  const Item *find(ItemID id) const { return const_cast<Scene *>(this)->find(id); }
  // Valid until the next item is added.
  std::string_view name(const Item &item) const;
  const ItemChunks &items(ItemType type) const { return items_[typeSlot(type)]; }
  size_t itemCount() const;

  // The parent in effect: the parent item, or for a root bone its object.
  ItemID effectiveParent(const Item &item) const;
  // Parent 0 removes the parent.
  ParentError setParent(ItemID child, ItemID parent);

  // Selection in the order items were selected; each call returns false, and
  // changes nothing, for an unknown ID.
  bool select(ItemID id);          // only this item; it becomes current
  bool addToSelection(ItemID id);  // appended unless already there; becomes current
  void clearSelection();           // no current item afterwards
  SelectionView selection() const { return selection_.view(); }
  // The selection as the 0-terminated array handed to modules; see
  // SelectionList for what each kind of sharing promises.
  const ::ItemID *shareSelection(SelectionSharing sharing, std::optional<RetiredSelection> &retired) {
    return selection_.share(sharing, retired);
  }
  void unshareSelection() { selection_.unshare(); }
  bool isSelected(ItemID id) const;
  ItemID current() const { return current_; }
  // Rises with every change of the selection.
  uint64_t selectionVersion() const { return selectionVersion_; }
  void setSelectionObserver(SelectionObserver observer) { observer_ = std::move(observer); }

 private:
  Item *newItem(ItemType type, std::string_view name);
  NameRef storeName(std::string_view name);
  // Sets every item's childCount from the parents in effect.
  void countChildren();
  void selectionChanged(size_t firstChanged, std::optional<RetiredSelection> retired);

  std::array<ItemChunks, kItemTypeCount> items_;
  // Enough that the names a bone run repeats once per selected bone (a
  // thousand names apart) find their stored copy.
  static constexpr size_t kRecentNames = 4096;
  std::string names_;                       // the items' names, back to back; a repeated name once
  std::unique_ptr<NameRef[]> recentNames_;  // recently stored names by hash
  SelectionList selection_;
  ItemID current_ = 0;
  uint64_t selectionVersion_ = 0;
  SelectionObserver observer_;
};

}  // namespace layout

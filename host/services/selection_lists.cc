#include "host/services/selection_lists.h"

#include <algorithm>

namespace layout {
namespace {

std::vector<::ItemID> terminatedCopy(std::span<const ItemID> selection) {
  std::vector<::ItemID> ids;
  ids.reserve(selection.size() + 1);
  for (ItemID id : selection) ids.push_back(moduleItemId(id));
  ids.push_back(nullptr);
  return ids;
}

}  // namespace

const ::ItemID *SelectionLists::handOut(bool rewrittenInPlace) {
  const std::span<const ItemID> selection = scene_.selection();
  if (rewrittenInPlace) {
    // The latest list is kept up to date; it serves as long as it has room.
    if (inPlace_.empty() || inPlace_.back().size() <= selection.size()) {
      inPlace_.push_back(terminatedCopy(selection));
    }
    return inPlace_.back().data();
  }
  if (snapshots_.empty() || snapshots_.back().version != scene_.selectionVersion()) {
    snapshots_.push_back({scene_.selectionVersion(), terminatedCopy(selection)});
  }
  return snapshots_.back().ids.data();
}

void SelectionLists::selectionChanged(size_t firstChanged) {
  const std::span<const ItemID> selection = scene_.selection();
  for (std::vector<::ItemID> &list : inPlace_) {
    const size_t used = std::min(selection.size(), list.size() - 1);
    for (size_t i = firstChanged; i < used; ++i) list[i] = moduleItemId(selection[i]);
    list[used] = nullptr;
  }
}

void SelectionLists::release() {
  snapshots_.clear();
  inPlace_.clear();
}

}  // namespace layout

#include "host/services/selection_lists.h"

#include <algorithm>

namespace layout {

const ::ItemID *SelectionLists::handOut(bool rewrittenInPlace) {
  std::optional<RetiredSelection> retired;
  const ::ItemID *ids = scene_.shareSelection(
      rewrittenInPlace ? SelectionSharing::kInPlace : SelectionSharing::kSnapshot, retired);
  keep(std::move(retired));
  return ids;
}

void SelectionLists::selectionChanged(size_t firstChanged, std::optional<RetiredSelection> retired) {
  keep(std::move(retired));
  if (inPlace_.empty()) return;
  const auto selection = scene_.selection();
  for (std::vector<::ItemID> &list : inPlace_) {
    const size_t used = std::min(selection.size(), list.size() - 1);
    for (size_t i = firstChanged; i < used; ++i) list[i] = moduleItemId(selection[i]);
    list[used] = nullptr;
  }
}

void SelectionLists::keep(std::optional<RetiredSelection> retired) {
  if (!retired) return;
  if (retired->sharing == SelectionSharing::kInPlace) {
    inPlace_.push_back(std::move(retired->ids));
  } else {
    snapshots_.push_back(std::move(retired->ids));
  }
}

void SelectionLists::release() {
  snapshots_.clear();
  inPlace_.clear();
  scene_.unshareSelection();
}

}  // namespace layout

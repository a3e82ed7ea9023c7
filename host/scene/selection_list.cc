#include "host/scene/selection_list.h"

#include <algorithm>
#include <utility>

namespace layout {

std::optional<RetiredSelection> SelectionList::prepare(size_t keep, size_t size) {
  const bool fits = size < ids_.size();
  if (sharing_ == SelectionSharing::kNone || (sharing_ == SelectionSharing::kInPlace && fits)) {
    if (!fits) ids_.resize(size + 1);
    return std::nullopt;
  }
  return retire(keep, size);
}

RetiredSelection SelectionList::retire(size_t keep, size_t size) {
  RetiredSelection retired{std::move(ids_), sharing_};
  sharing_ = SelectionSharing::kNone;
  ids_.assign(size + 1, nullptr);
  std::copy_n(retired.ids.begin(), keep, ids_.begin());
  return retired;
}

std::optional<RetiredSelection> SelectionList::assign(ItemID id) {
  std::optional<RetiredSelection> retired = prepare(0, 1);
  ids_[0] = moduleItemId(id);
  ids_[1] = nullptr;
  size_ = 1;
  return retired;
}

std::optional<RetiredSelection> SelectionList::append(ItemID id) {
  std::optional<RetiredSelection> retired = prepare(size_, size_ + 1);
  ids_[size_++] = moduleItemId(id);
  ids_[size_] = nullptr;
  return retired;
}

std::optional<RetiredSelection> SelectionList::clear() {
  std::optional<RetiredSelection> retired = prepare(0, 0);
  ids_[0] = nullptr;
  size_ = 0;
  return retired;
}

std::optional<RetiredSelection> SelectionList::replace(SelectionList &&other) {
  std::optional<RetiredSelection> retired;
  if (sharing_ != SelectionSharing::kNone) retired = RetiredSelection{std::move(ids_), sharing_};
  ids_ = std::exchange(other.ids_, std::vector<::ItemID>(1, nullptr));
  size_ = std::exchange(other.size_, 0);
  sharing_ = SelectionSharing::kNone;
  other.sharing_ = SelectionSharing::kNone;
  return retired;
}

const ::ItemID *SelectionList::share(SelectionSharing sharing, std::optional<RetiredSelection> &retired) {
  if (sharing_ != SelectionSharing::kNone && sharing_ != sharing) retired = retire(size_, size_);
  // A list rewritten in place has exactly the room it was handed out with.
  if (sharing == SelectionSharing::kInPlace && sharing_ == SelectionSharing::kNone) ids_.resize(size_ + 1);
  sharing_ = sharing;
  return ids_.data();
}

}  // namespace layout

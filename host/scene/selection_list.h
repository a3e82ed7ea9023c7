// The selection in the order items were selected, kept as the very array a
// host hands to modules: pointer-sized module IDs ended by a null ID. Handing
// it out copies nothing.
//
// While a module holds the array, a change must not disturb what it was
// promised. A snapshot (hosts from build 599) must stay as it was, so the
// first change after handing it out retires it and carries on in a new
// array; making a new selection of one item copies nothing even then. A list
// rewritten in place (older hosts) keeps its address and its room, so it is
// retired only when the selection outgrows it. Retired arrays go to whoever
// keeps them alive until the activation ends.
#pragma once

#include <cstddef>
#include <iterator>
#include <optional>
#include <vector>

#include "host/scene/item_id.h"

namespace layout {

enum class SelectionSharing { kNone, kSnapshot, kInPlace };

// The selection as host IDs: a view over the array, nothing copied. Valid
// until the selection next changes.
class SelectionView {
 public:
  class Iterator {
   public:
    using iterator_category = std::input_iterator_tag;
    using value_type = ItemID;
    using difference_type = std::ptrdiff_t;
    using pointer = void;
    using reference = ItemID;

    explicit Iterator(const ::ItemID *at) : at_(at) {}
    ItemID operator*() const { return hostItemId(*at_); }
    Iterator &operator++() {
      ++at_;
      return *this;
    }
    Iterator operator++(int) { return Iterator(at_++); }
    bool operator==(const Iterator &other) const = default;

   private:
    const ::ItemID *at_;
  };

  SelectionView(const ::ItemID *ids, size_t size) : ids_(ids), size_(size) {}
  size_t size() const { return size_; }
  bool empty() const { return size_ == 0; }
  ItemID operator[](size_t index) const { return hostItemId(ids_[index]); }
  Iterator begin() const { return Iterator(ids_); }
  Iterator end() const { return Iterator(ids_ + size_); }

 private:
  const ::ItemID *ids_;
  size_t size_;
};

struct RetiredSelection {
  std::vector<::ItemID> ids;  // 0-terminated; for kInPlace, its size is its room + 1
  SelectionSharing sharing;
};

class SelectionList {
 public:
  SelectionList() : ids_(1, nullptr) {}

  size_t size() const { return size_; }
  bool empty() const { return size_ == 0; }
  ItemID operator[](size_t index) const { return hostItemId(ids_[index]); }
  SelectionView view() const { return {ids_.data(), size_}; }

  // Each change returns the array it retired, if it had to retire one.
  std::optional<RetiredSelection> assign(ItemID id);
  std::optional<RetiredSelection> append(ItemID id);
  std::optional<RetiredSelection> clear();
  // Takes over `other`'s selection; `other` is left empty and unshared.
  std::optional<RetiredSelection> replace(SelectionList &&other);

  // The array, handed out as `sharing` says. Handing it out again unchanged
  // returns the same address. An array handed out one way and then asked for
  // the other is retired first, so each array keeps one promise.
  const ::ItemID *share(SelectionSharing sharing, std::optional<RetiredSelection> &retired);
  // Nobody holds the array any more.
  void unshare() { sharing_ = SelectionSharing::kNone; }

 private:
  // Makes the array ready for a change that leaves `keep` entries in front and
  // needs room for `size` entries; retires it when the holder's promise
  // requires.
  std::optional<RetiredSelection> prepare(size_t keep, size_t size);
  // Hands the array over and goes on in a new one with its first `keep` IDs.
  RetiredSelection retire(size_t keep, size_t size);

  std::vector<::ItemID> ids_;  // ids_[size_] is the null ID; ids_.size() > size_
  size_t size_ = 0;
  SelectionSharing sharing_ = SelectionSharing::kNone;
};

}  // namespace layout

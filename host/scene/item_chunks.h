// The items of one type, in creation order, stored in fixed-size chunks: the
// list grows without copying what it holds, an item never moves once made,
// and the item at an index is found in constant time.
#pragma once

#include <cstddef>
#include <iterator>
#include <memory>
#include <new>
#include <type_traits>
#include <vector>

#include "host/scene/item.h"

namespace layout {

class ItemChunks {
 public:
  static constexpr size_t kChunkItems = 4096;

  class Iterator {
   public:
    using iterator_category = std::forward_iterator_tag;
    using value_type = Item;
    using difference_type = std::ptrdiff_t;
    using pointer = const Item *;
    using reference = const Item &;

    Iterator() = default;
    Iterator(const ItemChunks *list, size_t index) : list_(list), index_(index) {}
    const Item &operator*() const { return (*list_)[index_]; }
    const Item *operator->() const { return &(*list_)[index_]; }
    Iterator &operator++() {
      ++index_;
      return *this;
    }
    Iterator operator++(int) {
      Iterator before = *this;
      ++index_;
      return before;
    }
    bool operator==(const Iterator &other) const { return index_ == other.index_; }

   private:
    const ItemChunks *list_ = nullptr;
    size_t index_ = 0;
  };

  ItemChunks() = default;
  ItemChunks(ItemChunks &&) = default;
  ItemChunks &operator=(ItemChunks &&) = default;

  size_t size() const { return size_; }
  bool empty() const { return size_ == 0; }
  Item &operator[](size_t index) { return chunks_[index / kChunkItems][index % kChunkItems]; }
  const Item &operator[](size_t index) const { return chunks_[index / kChunkItems][index % kChunkItems]; }
  const Item &front() const { return (*this)[0]; }
  Iterator begin() const { return {this, 0}; }
  Iterator end() const { return {this, size_}; }

  // A new item with its members' defaults at the end.
  Item &emplace_back() {
    if (size_ % kChunkItems == 0 && size_ / kChunkItems == chunks_.size()) {
      chunks_.push_back(std::make_unique_for_overwrite<Storage[]>(kChunkItems));
    }
    unsigned char *slot = chunks_[size_ / kChunkItems][size_ % kChunkItems].bytes;
    ++size_;
    return *new (slot) Item();
  }

 private:
  // Raw room for one item: a chunk is not filled with defaults before use.
  struct Storage {
    alignas(Item) unsigned char bytes[sizeof(Item)];
    operator Item &() { return *std::launder(reinterpret_cast<Item *>(bytes)); }
    operator const Item &() const { return *std::launder(reinterpret_cast<const Item *>(bytes)); }
  };
  static_assert(std::is_trivially_destructible_v<Item>);

  std::vector<std::unique_ptr<Storage[]>> chunks_;
  size_t size_ = 0;
};

}  // namespace layout

#include "host/scene_files/file_id_index.h"

namespace layout {

std::optional<uint32_t> FileIdIndex::add(ItemID id, uint32_t place) {
  const size_t type = typeOf(id);
  const uint32_t key = orderKey(id);
  std::vector<Entry> &list = inOrder_[type];
  if (!hashed_ && (list.empty() || list.back().key < key)) {
    list.push_back({key, place});
    return std::nullopt;
  }
  if (!hashed_) hashAll();
  std::vector<Entry> &table = table_[type];
  if ((used_[type] + 1) * 2 > table.size()) {
    const std::vector<Entry> entries = std::move(table);
    rehash(type, entries, entries.size() * 2);
  }
  Entry &slot = table[slotOf(type, key)];
  if (slot.key == key) return slot.place;
  slot = {key, place};
  ++used_[type];
  return std::nullopt;
}

std::optional<uint32_t> FileIdIndex::find(ItemID id) const {
  const uint32_t bits = itemTypeBits(id);
  if (bits < 1 || bits > kItemTypeCount) return std::nullopt;
  const size_t type = typeOf(id);
  const uint32_t key = orderKey(id);
  if (!hashed_) {
    const std::vector<Entry> &list = inOrder_[type];
    const auto found =
        std::lower_bound(list.begin(), list.end(), key,
                         [](const Entry &entry, uint32_t sought) { return entry.key < sought; });
    return found != list.end() && found->key == key ? std::optional<uint32_t>(found->place) : std::nullopt;
  }
  const Entry &slot = table_[type][slotOf(type, key)];
  return slot.key == key ? std::optional<uint32_t>(slot.place) : std::nullopt;
}

size_t FileIdIndex::slotOf(size_t type, uint32_t key) const {
  const std::vector<Entry> &table = table_[type];
  const size_t mask = table.size() - 1;
  size_t at = static_cast<size_t>((uint64_t{key} * 0x9E3779B97F4A7C15u) >> 32) & mask;
  while (table[at].key != 0 && table[at].key != key) at = (at + 1) & mask;
  return at;
}

void FileIdIndex::hashAll() {
  hashed_ = true;
  for (size_t type = 0; type < kItemTypeCount; ++type) {
    const std::vector<Entry> list = std::move(inOrder_[type]);
    inOrder_[type].clear();
    size_t size = 1024;
    while (size < list.size() * 2 + 2) size *= 2;
    rehash(type, list, size);
    used_[type] = list.size();
  }
}

void FileIdIndex::rehash(size_t type, const std::vector<Entry> &entries, size_t size) {
  table_[type].assign(size, Entry{});
  for (const Entry &entry : entries) {
    if (entry.key != 0) table_[type][slotOf(type, entry.key)] = entry;
  }
}

}  // namespace layout

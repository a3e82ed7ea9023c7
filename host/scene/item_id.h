// Item IDs as this host hands them out: the item type in the top four bits and
// a per-type index below, counted from 0 in creation order.
//
// Inside the host an ID is its 32 bits (layout::ItemID); modules receive it
// as the interface's pointer-sized ::ItemID, whose low 32 bits carry the same
// value. The two conversions below are the only crossings.
#pragma once

#include <cstdint>
#include <string>

#include "layout.h"

namespace layout {

using ItemID = uint32_t;

// The pointer-sized ID a module sees, and back. An ID with any of its upper
// bits set names no item of this host: it maps to 0.
inline ::ItemID moduleItemId(ItemID id) { return LAYOUT_ITEM_FROM_BITS(id); }
inline ItemID hostItemId(::ItemID id) {
  const auto bits = reinterpret_cast<uintptr_t>(id);
  return bits > UINT32_MAX ? 0 : static_cast<ItemID>(bits);
}

enum class ItemType : uint8_t { kObject = 1, kLight = 2, kCamera = 3, kBone = 4 };

inline constexpr int kItemTypeCount = 4;
inline constexpr uint32_t kItemIndexMask = 0x0FFFFFFFu;
// An index must fit below the type bits.
inline constexpr uint32_t kMaxItemsPerType = kItemIndexMask + 1;

constexpr ItemID makeItemId(ItemType type, uint32_t index) {
  return (static_cast<uint32_t>(type) << LAYOUT_ITEM_TYPE_SHIFT) | (index & kItemIndexMask);
}
constexpr uint32_t itemIndex(ItemID id) { return id & kItemIndexMask; }
constexpr uint32_t itemTypeBits(ItemID id) { return LAYOUT_ITEM_TYPE(id); }
constexpr bool isItemType(ItemID id, ItemType type) {
  return itemTypeBits(id) == static_cast<uint32_t>(type);
}
// 0-3, for per-type tables; only meaningful for valid type bits.
constexpr int typeSlot(ItemType type) { return static_cast<int>(type) - 1; }

// Eight upper-case hexadecimal digits, as the module writes IDs.
std::string hexId(ItemID id);
// The same eight digits written to `digits`, for writers that make no string.
void hexId(ItemID id, char *digits);
const char *itemTypeName(ItemType type);

}  // namespace layout

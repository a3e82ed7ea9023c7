#include "host/item_id.h"

namespace layout {

std::string hexId(ItemID id) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string text(8, '0');
  for (int i = 7; i >= 0; --i, id >>= 4) text[i] = kDigits[id & 0xF];
  return text;
}

const char *itemTypeName(ItemType type) {
  switch (type) {
    case ItemType::kObject:
      return "object";
    case ItemType::kLight:
      return "light";
    case ItemType::kCamera:
      return "camera";
    case ItemType::kBone:
      return "bone";
  }
  return "item";
}

}  // namespace layout

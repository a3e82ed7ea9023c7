#include "host/scene/item_id.h"

namespace layout {

std::string hexId(ItemID id) {
  std::string text(8, '0');
  hexId(id, text.data());
  return text;
}

void hexId(ItemID id, char *digits) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  for (int i = 7; i >= 0; --i, id >>= 4) digits[i] = kDigits[id & 0xF];
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

// Whole host records with only the fields a stand-in host fills; every other
// field is zero, so a module that calls one crashes the test at once.
#pragma once

#include "layout.h"

namespace mint::testing {

inline GenericLocal genericLocal(void *data, int (*evaluate)(void *, const char *)) {
  GenericLocal local{};
  local.data = data;
  local.evaluate = evaluate;
  return local;
}

inline InterfaceInfo interfaceInfo(const ItemID *selection, unsigned int (*itemFlags)(ItemID)) {
  InterfaceInfo info{};
  info.selItems = selection;
  info.itemFlags = itemFlags;
  return info;
}

inline ItemInfo itemInfo(ItemID (*first)(int, ItemID), ItemID (*next)(ItemID)) {
  ItemInfo info{};
  info.first = first;
  info.next = next;
  return info;
}

inline BoneInfo boneInfo(unsigned int (*flags)(ItemID)) {
  BoneInfo info{};
  info.flags = flags;
  return info;
}

}  // namespace mint::testing

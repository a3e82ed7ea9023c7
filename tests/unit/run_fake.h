// A minimal stand-in for the host's information services and evaluate, for
// driving the creation runs directly with a filled options record. It models
// just enough: objects in scene order, a selection, and "AddNull" selecting
// the new null (optionally not, to starve the ID scan). IDs are given as
// their 32 bits; the records carry them as pointer-sized item IDs.
#pragma once

#include <cstring>
#include <string>
#include <vector>

#include "runs/run_host.h"
#include "tests/records.h"

namespace mint::testing {

inline ItemID itemId(uint32_t bits) { return LAYOUT_ITEM_FROM_BITS(bits); }

struct RunFake {
  std::vector<std::string> sent;
  std::vector<uint32_t> objects;
  std::vector<ItemID> selection = {LAYOUT_ITEM_NONE};  // NULL-terminated
  int dynamicUpdate = 0;
  bool newNullsSelected = true;
  uint32_t boneFlags = 0;
  int allocations = 0;
  bool failAllocation = false;

  static RunFake *current;

  RunFake() { current = this; }
  ~RunFake() { current = nullptr; }

  void select(const std::vector<uint32_t> &ids) {
    selection.clear();
    for (uint32_t id : ids) selection.push_back(itemId(id));
    selection.push_back(LAYOUT_ITEM_NONE);
    // The list the record points at is rewritten with the selection.
    interfaceInfo.selItems = selection.data();
  }

  static int evaluate(void *data, const char *text) {
    auto *fake = static_cast<RunFake *>(data);
    fake->sent.emplace_back(text);
    if (std::strncmp(text, "AddNull ", 8) == 0) {
      const uint32_t id = 0x10000000u + static_cast<uint32_t>(fake->objects.size());
      fake->objects.push_back(id);
      if (fake->newNullsSelected) fake->select({id});
    }
    return 1;
  }
  static unsigned int itemFlags(ItemID id) {
    for (ItemID s : current->selection) {
      if (s == id && id != LAYOUT_ITEM_NONE) return LAYOUT_ITEMF_SELECTED;
    }
    return 0;
  }
  static ItemID first(int, ItemID) {
    return current->objects.empty() ? LAYOUT_ITEM_NONE : itemId(current->objects.front());
  }
  static ItemID next(ItemID id) {
    const size_t index = (LAYOUT_ITEM_BITS(id) & 0x0FFFFFFFu) + 1;
    return index < current->objects.size() ? itemId(current->objects[index]) : LAYOUT_ITEM_NONE;
  }
  static unsigned int flags(ItemID) { return current->boneFlags; }
  static ItemID *allocate(size_t count) {
    ++current->allocations;
    return current->failAllocation ? nullptr : allocateIdList(count);
  }

  GenericLocal local = genericLocal(this, evaluate);
  InterfaceInfo interfaceInfo = testing::interfaceInfo(selection.data(), itemFlags);
  ItemInfo itemInfo = testing::itemInfo(first, next);
  BoneInfo boneInfo = testing::boneInfo(flags);
  // As a look-up does, fills the interface record with the settings of now.
  RunHost host() {
    interfaceInfo.selItems = selection.data();
    interfaceInfo.dynaUpdate = dynamicUpdate;
    return RunHost{&local, &interfaceInfo, &itemInfo, &boneInfo, allocate, releaseIdList};
  }
};

inline RunFake *RunFake::current = nullptr;

}  // namespace mint::testing

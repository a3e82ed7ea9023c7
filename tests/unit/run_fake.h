// A minimal stand-in for the host's information services and evaluate, for
// driving the creation runs directly with a filled options record. It models
// just enough: objects in scene order, a selection, and "AddNull" selecting
// the new null (optionally not, to starve the ID scan).
#pragma once

#include <cstring>
#include <string>
#include <vector>

#include "runs/run_host.h"

namespace mint::testing {

struct RunFake {
  std::vector<std::string> sent;
  std::vector<ItemID> objects;
  std::vector<ItemID> selection = {0};  // 0-terminated
  int dynamicUpdate = 0;
  bool newNullsSelected = true;
  uint32_t boneFlags = 0;
  int allocations = 0;
  bool failAllocation = false;

  static RunFake *current;

  RunFake() { current = this; }
  ~RunFake() { current = nullptr; }

  void select(std::vector<ItemID> ids) {
    selection = std::move(ids);
    selection.push_back(0);
  }

  static int evaluate(void *data, const char *text) {
    auto *fake = static_cast<RunFake *>(data);
    fake->sent.emplace_back(text);
    if (std::strncmp(text, "AddNull ", 8) == 0) {
      const ItemID id = 0x10000000u + static_cast<ItemID>(fake->objects.size());
      fake->objects.push_back(id);
      if (fake->newNullsSelected) fake->select({id});
    }
    return 1;
  }
  static const ItemID *selectedItems() { return current->selection.data(); }
  static uint32_t itemFlags(ItemID id) {
    for (ItemID s : current->selection) {
      if (s == id && id != 0) return LAYOUT_ITEMF_SELECTED;
    }
    return 0;
  }
  static int dynamicUpdateSetting() { return current->dynamicUpdate; }
  static ItemID first(int, ItemID) { return current->objects.empty() ? 0 : current->objects.front(); }
  static ItemID next(ItemID id) {
    const size_t index = (id & 0x0FFFFFFFu) + 1;
    return index < current->objects.size() ? current->objects[index] : 0;
  }
  static uint32_t flags(ItemID) { return current->boneFlags; }
  static ItemID *allocate(size_t count) {
    ++current->allocations;
    return current->failAllocation ? nullptr : allocateIdList(count);
  }

  GenericLocal local = {this, evaluate};
  InterfaceInfo interfaceInfo = {selectedItems, itemFlags, dynamicUpdateSetting};
  ItemInfo itemInfo = {first, next};
  BoneInfo boneInfo = {flags};
  RunHost host() { return RunHost{&local, &interfaceInfo, &itemInfo, &boneInfo, allocate, releaseIdList}; }
};

inline RunFake *RunFake::current = nullptr;

}  // namespace mint::testing

#include "module/activation.h"

#include "module/host_services.h"
#include "module/option_store.h"
#include "panels/dialog.h"
#include "runs/bone_run.h"
#include "runs/null_run.h"

namespace mint {

namespace {

RunHost makeRunHost(const GenericLocal *local, const InterfaceInfo *interfaceInfo, const ItemInfo *itemInfo,
                    const BoneInfo *boneInfo) {
  return RunHost{local, interfaceInfo, itemInfo, boneInfo, allocateIdList, releaseIdList};
}

int nullActivation(GlobalFunc *global, void *localRecord) {
  const auto *interfaceInfo = lookUp<InterfaceInfo>(global, LAYOUT_INTERFACE_INFO);
  const auto *itemInfo = lookUp<ItemInfo>(global, LAYOUT_ITEM_INFO);
  if (interfaceInfo == nullptr || itemInfo == nullptr) return LAYOUT_AF_BADGLOBAL;
  // Without a usable evaluate nothing could be created: the generic is missing.
  const GenericLocal *local = usableLocal(localRecord);
  if (local == nullptr) return LAYOUT_AF_BADGLOBAL;

  NullOptions options = {};
  options.hostBuild = static_cast<int32_t>(hostBuildNumber(global));
  if (runDialog(global, options, nullPanel) == 0) return LAYOUT_AF_OK;
  return runNulls(makeRunHost(local, interfaceInfo, itemInfo, nullptr), options, gOptionStore.nullName);
}

int boneActivation(GlobalFunc *global, void *localRecord) {
  const auto *boneInfo = lookUp<BoneInfo>(global, LAYOUT_BONE_INFO);
  const auto *interfaceInfo = lookUp<InterfaceInfo>(global, LAYOUT_INTERFACE_INFO);
  const auto *itemInfo = lookUp<ItemInfo>(global, LAYOUT_ITEM_INFO);
  if (interfaceInfo == nullptr || itemInfo == nullptr || boneInfo == nullptr) return LAYOUT_AF_BADGLOBAL;
  const GenericLocal *local = usableLocal(localRecord);
  if (local == nullptr) return LAYOUT_AF_BADGLOBAL;

  // The first selected item decides: objects get bones, bones get child
  // bones, lights and cameras get nothing.
  const ItemID *selection = interfaceInfo->selItems;
  if (selection[0] == LAYOUT_ITEM_NONE) return LAYOUT_AF_OK;
  const uint32_t type = LAYOUT_ITEM_TYPE(selection[0]);
  if (type == LAYOUT_ITEM_LIGHT || type == LAYOUT_ITEM_CAMERA) return LAYOUT_AF_OK;

  BoneOptions options = {};
  options.iconMode = 0;
  options.jointBone = 0;
  options.hostBuild = hostBuildNumber(global);
  int32_t selectedCount = 0;
  while (selection[selectedCount] != LAYOUT_ITEM_NONE) ++selectedCount;

  if (runDialog(global, options, bonePanel) == 0) return LAYOUT_AF_OK;
  const BoneRunInputs inputs = {gOptionStore.boneName, gOptionStore.restLength, selection, selectedCount};
  return runBones(makeRunHost(local, interfaceInfo, itemInfo, boneInfo), options, inputs);
}

}  // namespace

// The host must never see an exception: anything unexpected ends the
// activation as done, with whatever was sent so far.
int activateNulls(int, GlobalFunc *global, void *local, void *) noexcept {
  if (global == nullptr) return LAYOUT_AF_BADGLOBAL;
  try {
    return nullActivation(global, local);
  } catch (...) {
    return LAYOUT_AF_OK;
  }
}

int activateBones(int, GlobalFunc *global, void *local, void *) noexcept {
  if (global == nullptr) return LAYOUT_AF_BADGLOBAL;
  try {
    return boneActivation(global, local);
  } catch (...) {
    return LAYOUT_AF_OK;
  }
}

}  // namespace mint

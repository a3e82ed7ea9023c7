#include "host/services.h"

#include "host/binding.h"

namespace layout {
namespace {

// The services of the running activation; outside one, the call is misuse
// and reported to the host that ran the latest activation.
Services *boundServices(const char *call) {
  if (Services *services = Binding<Services>::active()) return services;
  Services *last = Binding<Services>::last();
  Diagnostics &diagnostics = last ? last->diagnostics() : unboundDiagnostics();
  diagnostics.misuse(std::string(call) + " called while no activation runs");
  return nullptr;
}

const ItemID *selectedItems() {
  static const ItemID kNothing[1] = {0};
  Services *services = boundServices("InterfaceInfo.selectedItems");
  return services ? services->selectedItems() : kNothing;
}

uint32_t itemFlags(ItemID item) {
  Services *services = boundServices("InterfaceInfo.itemFlags");
  return services ? services->itemFlags(item) : 0;
}

int dynamicUpdate() {
  Services *services = boundServices("InterfaceInfo.dynamicUpdate");
  return services ? services->dynamicUpdate() : 0;
}

ItemID firstItem(int itemType, ItemID parent) {
  Services *services = boundServices("ItemInfo.first");
  return services ? services->firstItem(itemType, parent) : 0;
}

ItemID nextItem(ItemID item) {
  Services *services = boundServices("ItemInfo.next");
  return services ? services->nextItem(item) : 0;
}

uint32_t boneFlags(ItemID bone) {
  Services *services = boundServices("BoneInfo.flags");
  return services ? services->boneFlags(bone) : 0;
}

InterfaceInfo gInterfaceInfo = {&selectedItems, &itemFlags, &dynamicUpdate};
ItemInfo gItemInfo = {&firstItem, &nextItem};
BoneInfo gBoneInfo = {&boneFlags};

constexpr const char *kServiceNames[kServiceCount] = {
    LAYOUT_INTERFACE_INFO, LAYOUT_ITEM_INFO,      LAYOUT_BONE_INFO,
    LAYOUT_PRODUCT_INFO,   LAYOUT_PANEL_SERVICES, LAYOUT_CONTEXT_MENU_SERVICES,
};

}  // namespace

const char *serviceName(Service service) { return kServiceNames[static_cast<int>(service)]; }

Services::Services(Scene &scene, const InterfaceState &state, Diagnostics &diagnostics, PanelServices *panels,
                   ContextMenuServices *menus)
    : scene_(scene),
      state_(state),
      diagnostics_(diagnostics),
      panels_(panels),
      menus_(menus),
      selectionLists_(scene) {
  enabled_.fill(true);
}

Services::~Services() { Binding<Services>::forget(*this); }

void *Services::globalLookup(const char *name, int /*useMode*/) {
  Services *services = boundServices("global look-up");
  if (!services) return nullptr;
  if (!name) {
    services->diagnostics_.misuse("global look-up with a NULL service name");
    return nullptr;
  }
  return services->lookup(name);
}

void *Services::lookup(std::string_view name) {
  lookups_.emplace_back(name);
  for (int i = 0; i < kServiceCount; ++i) {
    if (name != kServiceNames[i]) continue;
    if (!enabled_[i]) return nullptr;
    switch (static_cast<Service>(i)) {
      case Service::kInterfaceInfo:
        dynamicUpdateAtLookup_ = state_.dynamicUpdate;
        return &gInterfaceInfo;
      case Service::kItemInfo:
        return &gItemInfo;
      case Service::kBoneInfo:
        return &gBoneInfo;
      case Service::kProductInfo:
        return reinterpret_cast<void *>(static_cast<uintptr_t>(build_) << 4);
      case Service::kPanelServices:
        return panels_;
      case Service::kContextMenuServices:
        return menus_;
    }
  }
  return nullptr;
}

const ItemID *Services::selectedItems() {
  return selectionLists_.handOut(build_ <= kLastInPlaceSelectionBuild);
}

uint32_t Services::itemFlags(ItemID id) const { return scene_.isSelected(id) ? LAYOUT_ITEMF_SELECTED : 0; }

ItemID Services::firstItem(int itemType, ItemID parent) {
  if (itemType < LAYOUT_ITEMTYPE_OBJECT || itemType > LAYOUT_ITEMTYPE_BONE) return 0;
  if (parent != 0) {
    diagnostics_.misuse("ItemInfo.first with a parent item is not offered by this host");
    return 0;
  }
  const auto items = scene_.items(static_cast<ItemType>(itemType + 1));
  return items.empty() ? 0 : items.front().id;
}

ItemID Services::nextItem(ItemID id) const {
  if (!scene_.find(id)) return 0;
  const auto items = scene_.items(static_cast<ItemType>(itemTypeBits(id)));
  const uint32_t next = itemIndex(id) + 1;
  return next < items.size() ? items[next].id : 0;
}

uint32_t Services::boneFlags(ItemID id) const {
  const Item *bone = scene_.find(id);
  if (!bone || bone->type() != ItemType::kBone) return 0;
  return (bone->has(kItemBoneMultiply) ? LAYOUT_BONEF_MULTIPLY : 0) | (bone->has(kItemActive) ? 1u : 0u);
}

}  // namespace layout

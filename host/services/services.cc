#include "host/services/services.h"

#include "host/loader/binding.h"
#include "host/loader/fault_plan.h"
#include "host/loader/host_entry.h"
#include "host/loader/refused_call.h"

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

Diagnostics &servicesDiagnostics() {
  if (Services *services = Binding<Services>::active()) return services->diagnostics();
  if (Services *services = Binding<Services>::last()) return services->diagnostics();
  return unboundDiagnostics();
}

template <CallName Name, typename Result, typename... Args>
Result refused(Args... args) {
  return refusedCall<Name, servicesDiagnostics, Result, Args...>(args...);
}

unsigned int selectedFlag(::ItemID item) {
  HostCall call("InterfaceInfo.itemFlags", false);
  Services *services = boundServices("InterfaceInfo.itemFlags");
  return services ? services->itemFlags(hostItemId(item)) : 0;
}

::ItemID firstItem(int itemType, ::ItemID parent) {
  HostCall call("ItemInfo.first", false);
  Services *services = boundServices("ItemInfo.first");
  return services ? moduleItemId(services->firstItem(itemType, hostItemId(parent))) : nullptr;
}

::ItemID nextItem(::ItemID item) {
  HostCall call("ItemInfo.next", false);
  Services *services = boundServices("ItemInfo.next");
  return services ? moduleItemId(services->nextItem(hostItemId(item))) : nullptr;
}

unsigned int boneFlags(::ItemID bone) {
  HostCall call("BoneInfo.flags", false);
  Services *services = boundServices("BoneInfo.flags");
  return services ? services->boneFlags(hostItemId(bone)) : 0;
}

const ItemInfo kItemInfo = {
    guarded<"ItemInfo.first", &firstItem>,
    guarded<"ItemInfo.next", &nextItem>,
    refused<"ItemInfo.firstChild">,
    refused<"ItemInfo.nextChild">,
    refused<"ItemInfo.parent">,
    refused<"ItemInfo.target">,
    refused<"ItemInfo.goal">,
    refused<"ItemInfo.type">,
    refused<"ItemInfo.name">,
    refused<"ItemInfo.param">,
    refused<"ItemInfo.limits">,
    refused<"ItemInfo.getTag">,
    refused<"ItemInfo.setTag">,
    refused<"ItemInfo.chanGroup">,
    refused<"ItemInfo.server">,
    refused<"ItemInfo.serverFlags">,
    refused<"ItemInfo.controller">,
    refused<"ItemInfo.flags">,
    refused<"ItemInfo.lookAhead">,
    refused<"ItemInfo.goalStrength">,
    refused<"ItemInfo.stiffness">,
};

const BoneInfo kBoneInfo = {
    guarded<"BoneInfo.flags", &boneFlags>, refused<"BoneInfo.restParam">,
    refused<"BoneInfo.restLength">,        refused<"BoneInfo.limits">,
    refused<"BoneInfo.weightMap">,         refused<"BoneInfo.strength">,
    refused<"BoneInfo.falloff">,           refused<"BoneInfo.jointComp">,
    refused<"BoneInfo.muscleFlex">,
};

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
      selectionLists_(scene),
      interfaceInfo_{} {
  enabled_.fill(true);
  interfaceInfo_.itemFlags = guarded<"InterfaceInfo.itemFlags", &selectedFlag>;
  interfaceInfo_.schemaPos = refused<"InterfaceInfo.schemaPos">;
  interfaceInfo_.itemVis = refused<"InterfaceInfo.itemVis">;
  interfaceInfo_.itemColor = refused<"InterfaceInfo.itemColor">;
}

Services::~Services() { Binding<Services>::forget(*this); }

void *Services::globalLookup(const char *name, int /*useMode*/) {
  HostCall call(name ? name : "global look-up");
  if (call.fails()) return nullptr;
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
        interfaceInfo_.selItems = selectionLists_.handOut(build_ <= kLastInPlaceSelectionBuild);
        interfaceInfo_.dynaUpdate = state_.dynamicUpdate;
        return &interfaceInfo_;
      case Service::kItemInfo:
        return const_cast<ItemInfo *>(&kItemInfo);
      case Service::kBoneInfo:
        return const_cast<BoneInfo *>(&kBoneInfo);
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

uint32_t Services::itemFlags(ItemID id) const { return scene_.isSelected(id) ? LAYOUT_ITEMF_SELECTED : 0; }

ItemID Services::firstItem(int itemType, ItemID parent) {
  if (itemType < LAYOUT_ITEMTYPE_OBJECT || itemType > LAYOUT_ITEMTYPE_BONE) return 0;
  if (parent != 0) {
    diagnostics_.misuse("ItemInfo.first with a parent item is not offered by this host");
    return 0;
  }
  const auto &items = scene_.items(static_cast<ItemType>(itemType + 1));
  return items.empty() ? 0 : items.front().id;
}

ItemID Services::nextItem(ItemID id) const {
  if (!scene_.find(id)) return 0;
  const auto &items = scene_.items(static_cast<ItemType>(itemTypeBits(id)));
  const uint32_t next = itemIndex(id) + 1;
  return next < items.size() ? items[next].id : 0;
}

uint32_t Services::boneFlags(ItemID id) const {
  const Item *bone = scene_.find(id);
  if (!bone || bone->type() != ItemType::kBone) return 0;
  return (bone->has(kItemBoneMultiply) ? LAYOUT_BONEF_MULTIPLY : 0) | (bone->has(kItemActive) ? 1u : 0u);
}

}  // namespace layout

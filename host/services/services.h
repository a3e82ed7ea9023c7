// The global look-up and the information services behind it: which services a
// module can acquire, what "Product Info" answers, and the scene facts that
// "LW Interface Info 3", "LW Item Info 3" and "LW Bone Info 3" report.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "host/loader/diagnostics.h"
#include "host/scene/interface_state.h"
#include "host/scene/scene.h"
#include "host/services/selection_lists.h"
#include "layout.h"

namespace layout {

enum class Service {
  kInterfaceInfo,
  kItemInfo,
  kBoneInfo,
  kProductInfo,
  kPanelServices,
  kContextMenuServices
};
inline constexpr int kServiceCount = 6;
const char *serviceName(Service service);

// A recent build, past every build at which the module changes behaviour.
inline constexpr uint32_t kDefaultHostBuild = 2000;
// The last build whose selection list is rewritten in place.
inline constexpr uint32_t kLastInPlaceSelectionBuild = 598;

class Services {
 public:
  Services(Scene &scene, const InterfaceState &state, Diagnostics &diagnostics, PanelServices *panels,
           ContextMenuServices *menus);
  ~Services();
  Services(const Services &) = delete;
  Services &operator=(const Services &) = delete;

  // The global look-up handed to activations; answers for the bound host.
  static void *globalLookup(const char *name, int useMode);
  // Records the name, then answers: a table, the product value for
  // "Product Info", or null for an unknown or switched-off service.
  void *lookup(std::string_view name);
  // Every name looked up, in order, across activations.
  const std::vector<std::string> &lookups() const { return lookups_; }
  void clearLookups() { lookups_.clear(); }

  void setEnabled(Service service, bool enabled) { enabled_[static_cast<int>(service)] = enabled; }
  bool enabled(Service service) const { return enabled_[static_cast<int>(service)]; }
  // Builds have 12 bits; higher bits are dropped.
  void setBuild(uint32_t build) { build_ = build & 0xFFFu; }
  uint32_t build() const { return build_; }

  // What the information records answer.
  uint32_t itemFlags(ItemID id) const;
  ItemID firstItem(int itemType, ItemID parent);
  ItemID nextItem(ItemID id) const;
  uint32_t boneFlags(ItemID id) const;

  // Selection lists handed out live until the activation ends.
  void endActivation() { selectionLists_.release(); }
  void selectionChanged(size_t firstChanged, std::optional<RetiredSelection> retired) {
    selectionLists_.selectionChanged(firstChanged, std::move(retired));
  }
  Diagnostics &diagnostics() { return diagnostics_; }

 private:
  Scene &scene_;
  const InterfaceState &state_;
  Diagnostics &diagnostics_;
  PanelServices *panels_;
  ContextMenuServices *menus_;
  SelectionLists selectionLists_;
  std::vector<std::string> lookups_;
  std::array<bool, kServiceCount> enabled_;
  uint32_t build_ = kDefaultHostBuild;
  // Filled at every look-up of "LW Interface Info 3", as Layout fills it: its
  // data fields keep the values of that moment, so a run's own
  // "DynamicUpdate 0" does not hide the setting it must restore.
  InterfaceInfo interfaceInfo_;
};

}  // namespace layout

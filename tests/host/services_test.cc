#include "host/services/services.h"

#include <gtest/gtest.h>
#ifndef _WIN32
#include <dlfcn.h>
#endif

#include <vector>

#include "host/host.h"
#include "tests/host/test_support.h"

namespace layout {
namespace {

using testing::acquire;
using testing::activateWith;

// The host's IDs of a NULL-terminated list of pointer-sized IDs.
std::vector<ItemID> listed(const ::ItemID *ids) {
  std::vector<ItemID> result;
  while (*ids) result.push_back(hostItemId(*ids++));
  return result;
}

::ItemID id(ItemID hostId) { return moduleItemId(hostId); }

TEST(GlobalLookup, AnswersTheSixServicesRecordsTheOrderAndHonoursSwitches) {
  Host host;
  host.setBuild(1447);
  host.setServiceEnabled(Service::kBoneInfo, false);
  activateWith(host, [](GlobalFunc *global, GenericLocal *) {
    EXPECT_NE(global(LAYOUT_INTERFACE_INFO, 0), nullptr);
    EXPECT_NE(global(LAYOUT_ITEM_INFO, 0), nullptr);
    EXPECT_EQ(global(LAYOUT_BONE_INFO, 0), nullptr);
    EXPECT_EQ(global(LAYOUT_PRODUCT_INFO, 0), reinterpret_cast<void *>(uintptr_t{1447} << 4));
    EXPECT_EQ(LAYOUT_BUILD_FROM_PRODUCT(reinterpret_cast<uintptr_t>(global(LAYOUT_PRODUCT_INFO, 0))), 1447u);
    EXPECT_NE(global(LAYOUT_PANEL_SERVICES, 0), nullptr);
    EXPECT_NE(global(LAYOUT_CONTEXT_MENU_SERVICES, 0), nullptr);
    EXPECT_EQ(global("LW Interface Info 2", 0), nullptr);
    return 0;
  });
  EXPECT_EQ(host.lookups(),
            (std::vector<std::string>{LAYOUT_INTERFACE_INFO, LAYOUT_ITEM_INFO, LAYOUT_BONE_INFO,
                                      LAYOUT_PRODUCT_INFO, LAYOUT_PRODUCT_INFO, LAYOUT_PANEL_SERVICES,
                                      LAYOUT_CONTEXT_MENU_SERVICES, "LW Interface Info 2"}));
  EXPECT_TRUE(host.diagnostics().empty());
}

// From build 599 the array a look-up hands out is a snapshot for the whole
// activation.
TEST(SelectedItems, FromBuild599TheListStaysAsHandedOut) {
  Host host;
  host.setBuild(599);
  const ItemID a = host.scene().addObject("A"), b = host.scene().addObject("B");
  host.scene().select(a);
  host.scene().addToSelection(b);
  activateWith(host, [&](GlobalFunc *global, GenericLocal *local) {
    auto *info = acquire<InterfaceInfo>(global, LAYOUT_INTERFACE_INFO);
    const ::ItemID *list = info->selItems;
    EXPECT_EQ(acquire<InterfaceInfo>(global, LAYOUT_INTERFACE_INFO)->selItems,
              list);  // unchanged: same array
    local->evaluate(local->data, "AddNull N");
    EXPECT_EQ(info->selItems, list);  // filled at the look-up, not since
    EXPECT_EQ(listed(list), (std::vector{a, b}));
    EXPECT_EQ(listed(acquire<InterfaceInfo>(global, LAYOUT_INTERFACE_INFO)->selItems),
              std::vector{0x10000002u});
    EXPECT_EQ(listed(list), (std::vector{a, b}));
    return 0;
  });
}

// Up to build 598 one list is rewritten in place as the selection changes;
// it never moves, and ends early when the selection outgrows it.
TEST(SelectedItems, UpToBuild598TheListIsRewrittenInPlace) {
  Host host;
  host.setBuild(598);
  Scene &scene = host.scene();
  const ItemID a = scene.addObject("A"), b = scene.addObject("B"), c = scene.addObject("C");
  scene.select(a);
  scene.addToSelection(b);
  activateWith(host, [&](GlobalFunc *global, GenericLocal *local) {
    const ::ItemID *list = acquire<InterfaceInfo>(global, LAYOUT_INTERFACE_INFO)->selItems;
    EXPECT_EQ(listed(list), (std::vector{a, b}));
    local->evaluate(local->data, "SelectItem 10000002");
    EXPECT_EQ(listed(list), std::vector{c});
    local->evaluate(local->data, "AddToSelection 10000000");
    EXPECT_EQ(listed(list), (std::vector{c, a}));
    local->evaluate(local->data, "AddToSelection 10000001");
    EXPECT_EQ(listed(list), (std::vector{c, a}));  // room for two entries only
    const ::ItemID *larger = acquire<InterfaceInfo>(global, LAYOUT_INTERFACE_INFO)->selItems;
    EXPECT_NE(larger, list);
    EXPECT_EQ(listed(larger), (std::vector{c, a, b}));
    local->evaluate(local->data, "SelectItem 10000001");
    EXPECT_EQ(listed(list), std::vector{b});  // the first list is still kept up to date
    EXPECT_EQ(listed(larger), std::vector{b});
    return 0;
  });
}

TEST(InformationServices, FlagsAndSceneWalk) {
  Host host;
  Scene &scene = host.scene();
  const ItemID first = scene.addObject("First"), second = scene.addNull("Second");
  scene.addLight("Light");
  const ItemID bone = scene.addBone("Bone", first);
  scene.select(second);
  host.setDynamicUpdate(2);
  activateWith(host, [&](GlobalFunc *global, GenericLocal *local) {
    auto *interface = acquire<InterfaceInfo>(global, LAYOUT_INTERFACE_INFO);
    auto *items = acquire<ItemInfo>(global, LAYOUT_ITEM_INFO);
    auto *bones = acquire<BoneInfo>(global, LAYOUT_BONE_INFO);
    EXPECT_EQ(interface->itemFlags(id(second)), LAYOUT_ITEMF_SELECTED);
    EXPECT_EQ(interface->itemFlags(id(first)), 0u);
    EXPECT_EQ(interface->itemFlags(id(0x10000042u)), 0u);
    // Upper bits set: no item of this host, whatever the low bits say.
    EXPECT_EQ(interface->itemFlags(reinterpret_cast<::ItemID>(uintptr_t{1} << 32 | second)), 0u);
    // The setting reads as it was when the record was filled, so a run can
    // switch it off and still learn what to restore.
    EXPECT_EQ(interface->dynaUpdate, 2);
    local->evaluate(local->data, "DynamicUpdate 0");
    EXPECT_EQ(interface->dynaUpdate, 2);
    EXPECT_EQ(host.interfaceState().dynamicUpdate, 0);
    acquire<InterfaceInfo>(global, LAYOUT_INTERFACE_INFO);
    EXPECT_EQ(interface->dynaUpdate, 0);

    EXPECT_EQ(items->first(LAYOUT_ITEMTYPE_OBJECT, nullptr), id(first));
    EXPECT_EQ(items->next(id(first)), id(second));
    EXPECT_EQ(items->next(id(second)), nullptr);
    EXPECT_EQ(items->first(LAYOUT_ITEMTYPE_LIGHT, nullptr), id(0x20000000u));
    EXPECT_EQ(items->first(LAYOUT_ITEMTYPE_CAMERA, nullptr), nullptr);
    EXPECT_EQ(items->first(LAYOUT_ITEMTYPE_BONE, nullptr), id(bone));

    EXPECT_EQ(bones->flags(id(bone)) & LAYOUT_BONEF_MULTIPLY, LAYOUT_BONEF_MULTIPLY);
    local->evaluate(local->data, "SelectItem 40000000");
    local->evaluate(local->data, "BoneStrengthMultiply");
    EXPECT_EQ(bones->flags(id(bone)) & LAYOUT_BONEF_MULTIPLY, 0u);
    EXPECT_EQ(bones->flags(id(first)), 0u);
    return 0;
  });
  EXPECT_TRUE(host.diagnostics().empty());
}

// Every function of the records that a module has no business calling is
// there, answers zero and names the call.
TEST(Misuse, FunctionsNotForModulesAreRefusedByName) {
  Host host;
  const ItemID object = host.scene().addObject("A");
  activateWith(host, [&](GlobalFunc *global, GenericLocal *local) {
    auto *interface = acquire<InterfaceInfo>(global, LAYOUT_INTERFACE_INFO);
    auto *items = acquire<ItemInfo>(global, LAYOUT_ITEM_INFO);
    auto *bones = acquire<BoneInfo>(global, LAYOUT_BONE_INFO);
    auto *panels = acquire<PanelServices>(global, LAYOUT_PANEL_SERVICES);
    EXPECT_EQ(local->saveScene("scene.lws"), 0);
    EXPECT_EQ(local->loadScene("scene.lws", "Scene"), 0);
    EXPECT_EQ(local->lookup(local->data, "AddNull"), 0);
    EXPECT_EQ(local->execute(local->data, 1, 0, nullptr, nullptr), 0);
    EXPECT_EQ(interface->itemVis(id(object)), 0);
    EXPECT_EQ(items->firstChild(id(object)), nullptr);
    EXPECT_EQ(items->name(id(object)), nullptr);
    EXPECT_EQ(bones->restLength(id(object)), 0.0);
    EXPECT_EQ(panels->handle(nullptr, 0), 0);
    EXPECT_EQ(panels->nextControl(nullptr, nullptr), nullptr);
    return 0;
  });
  EXPECT_EQ(host.diagnostics().messages(),
            (std::vector<std::string>{
                "GenericLocal.saveScene is not for modules, yet it was called",
                "GenericLocal.loadScene is not for modules, yet it was called",
                "GenericLocal.lookup is not for modules, yet it was called",
                "GenericLocal.execute is not for modules, yet it was called",
                "InterfaceInfo.itemVis is not for modules, yet it was called",
                "ItemInfo.firstChild is not for modules, yet it was called",
                "ItemInfo.name is not for modules, yet it was called",
                "BoneInfo.restLength is not for modules, yet it was called",
                "LWPanelServices.handle is not for modules, yet it was called",
                "LWPanelServices.nextControl is not for modules, yet it was called",
            }));
  EXPECT_EQ(host.scene().items(ItemType::kObject).size(), 1u);
}

TEST(Misuse, CallsAfterTheActivationReturnedAreRecordedAndRefused) {
  Host host;
  const ItemID object = host.scene().addObject("A");
  host.scene().select(object);
  InterfaceInfo *info = nullptr;
  GenericLocal local{};
  GlobalFunc *global = nullptr;
  activateWith(host, [&](GlobalFunc *g, GenericLocal *l) {
    global = g;
    local = *l;
    info = acquire<InterfaceInfo>(g, LAYOUT_INTERFACE_INFO);
    return 0;
  });
  EXPECT_EQ(info->itemFlags(id(object)), 0u);
  EXPECT_EQ(global(LAYOUT_ITEM_INFO, 0), nullptr);
  EXPECT_EQ(local.evaluate(local.data, "AddNull Late"), 0);
  EXPECT_EQ(host.diagnostics().messages(),
            (std::vector<std::string>{"InterfaceInfo.itemFlags called while no activation runs",
                                      "global look-up called while no activation runs",
                                      "evaluate called while no activation runs"}));
  EXPECT_EQ(host.scene().items(ItemType::kObject).size(), 1u);
}

// On Windows the module asks user32 for the desktop; elsewhere the process
// offers it.
#ifndef _WIN32
TEST(Desktop, TheProcessExportsTheDesktopWithAConfigurableSize) {
  auto *window = reinterpret_cast<GetDesktopWindowFunc *>(dlsym(RTLD_DEFAULT, LAYOUT_DESKTOP_WINDOW_SYMBOL));
  auto *clientRect = reinterpret_cast<GetClientRectFunc *>(dlsym(RTLD_DEFAULT, LAYOUT_CLIENT_RECT_SYMBOL));
  ASSERT_NE(window, nullptr);
  ASSERT_NE(clientRect, nullptr);
  Host host;
  Rect rect{};
  ASSERT_EQ(clientRect(window(), &rect), 1);
  EXPECT_EQ(rect.right, 1920);
  EXPECT_EQ(rect.bottom, 1080);
  host.setDesktopSize(300, 200);
  ASSERT_EQ(clientRect(window(), &rect), 1);
  EXPECT_EQ(rect.right, 300);
  EXPECT_EQ(rect.bottom, 200);
  EXPECT_EQ(clientRect(&rect, &rect), 0);
}

#endif

}  // namespace
}  // namespace layout

#include "host/services.h"

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <vector>

#include "host/host.h"
#include "tests/host/test_support.h"

namespace layout {
namespace {

using testing::acquire;
using testing::activateWith;

std::vector<ItemID> listed(const ItemID *ids) {
  std::vector<ItemID> result;
  while (*ids) result.push_back(*ids++);
  return result;
}

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

// From build 599 the array handed out is a snapshot for the whole activation.
TEST(SelectedItems, FromBuild599TheListStaysAsHandedOut) {
  Host host;
  host.setBuild(599);
  const ItemID a = host.scene().addObject("A"), b = host.scene().addObject("B");
  host.scene().select(a);
  host.scene().addToSelection(b);
  activateWith(host, [&](GlobalFunc *global, GenericLocal *local) {
    auto *info = acquire<InterfaceInfo>(global, LAYOUT_INTERFACE_INFO);
    const ItemID *list = info->selectedItems();
    EXPECT_EQ(info->selectedItems(), list);  // unchanged selection, same array
    local->evaluate(local->data, "AddNull N");
    EXPECT_EQ(listed(list), (std::vector{a, b}));
    EXPECT_EQ(listed(info->selectedItems()), std::vector{0x10000002u});
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
    auto *info = acquire<InterfaceInfo>(global, LAYOUT_INTERFACE_INFO);
    const ItemID *list = info->selectedItems();
    EXPECT_EQ(listed(list), (std::vector{a, b}));
    local->evaluate(local->data, "SelectItem 10000002");
    EXPECT_EQ(listed(list), std::vector{c});
    local->evaluate(local->data, "AddToSelection 10000000");
    EXPECT_EQ(listed(list), (std::vector{c, a}));
    local->evaluate(local->data, "AddToSelection 10000001");
    EXPECT_EQ(listed(list), (std::vector{c, a}));  // room for two entries only
    const ItemID *larger = info->selectedItems();
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
    EXPECT_EQ(interface->itemFlags(second), LAYOUT_ITEMF_SELECTED);
    EXPECT_EQ(interface->itemFlags(first), 0u);
    EXPECT_EQ(interface->itemFlags(0x10000042u), 0u);
    // The setting reads as it was when the table was acquired, so a run can
    // switch it off and still learn what to restore.
    EXPECT_EQ(interface->dynamicUpdate(), 2);
    local->evaluate(local->data, "DynamicUpdate 0");
    EXPECT_EQ(interface->dynamicUpdate(), 2);
    EXPECT_EQ(host.interfaceState().dynamicUpdate, 0);
    acquire<InterfaceInfo>(global, LAYOUT_INTERFACE_INFO);
    EXPECT_EQ(interface->dynamicUpdate(), 0);

    EXPECT_EQ(items->first(LAYOUT_ITEMTYPE_OBJECT, 0), first);
    EXPECT_EQ(items->next(first), second);
    EXPECT_EQ(items->next(second), 0u);
    EXPECT_EQ(items->first(LAYOUT_ITEMTYPE_LIGHT, 0), 0x20000000u);
    EXPECT_EQ(items->first(LAYOUT_ITEMTYPE_CAMERA, 0), 0u);
    EXPECT_EQ(items->first(LAYOUT_ITEMTYPE_BONE, 0), bone);

    EXPECT_EQ(bones->flags(bone) & LAYOUT_BONEF_MULTIPLY, LAYOUT_BONEF_MULTIPLY);
    local->evaluate(local->data, "SelectItem 40000000");
    local->evaluate(local->data, "BoneStrengthMultiply");
    EXPECT_EQ(bones->flags(bone) & LAYOUT_BONEF_MULTIPLY, 0u);
    EXPECT_EQ(bones->flags(first), 0u);
    return 0;
  });
  EXPECT_TRUE(host.diagnostics().empty());
}

TEST(Misuse, CallsAfterTheActivationReturnedAreRecordedAndRefused) {
  Host host;
  host.scene().select(host.scene().addObject("A"));
  InterfaceInfo *info = nullptr;
  GenericLocal local{};
  GlobalFunc *global = nullptr;
  activateWith(host, [&](GlobalFunc *g, GenericLocal *l) {
    global = g;
    local = *l;
    info = acquire<InterfaceInfo>(g, LAYOUT_INTERFACE_INFO);
    return 0;
  });
  EXPECT_EQ(*info->selectedItems(), 0u);
  EXPECT_EQ(global(LAYOUT_ITEM_INFO, 0), nullptr);
  EXPECT_EQ(local.evaluate(local.data, "AddNull Late"), 0);
  EXPECT_EQ(host.diagnostics().messages(),
            (std::vector<std::string>{"InterfaceInfo.selectedItems called while no activation runs",
                                      "global look-up called while no activation runs",
                                      "evaluate called while no activation runs"}));
  EXPECT_EQ(host.scene().items(ItemType::kObject).size(), 1u);
}

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

}  // namespace
}  // namespace layout

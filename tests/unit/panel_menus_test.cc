// Right-click menus: which band opens which menu, the item functions the host
// reads, and every item's action.
#include <cstring>

#include "panel_test_support.h"

namespace mint::testing {
namespace {

const Lines kBasicItems = {"\x03(c:166)Basic", "\x03(i:17) Init Name", "\x03(i:17) Init Pre/Suffix",
                           "\x03(i:17) Init StartCnt"};
const Lines kGeneralItems = {"\x03(c:166)General", "\x03(i:17) Disable all", "\x03(i:17) Enable all"};
const Lines kShadowItems = {"\x03(c:166)Shadow", "\x03(i:17) Disable all", "\x03(i:17) Enable all"};

// Clicks at y, dismisses the menu and returns the items shown (empty: none).
Lines menuAt(FakePanelHost &h, int y, int code = LAYOUT_MOUSE_MENU) {
  h.lastMenuItems.clear();
  const size_t mark = h.mark();
  h.click(y, -1, code);
  const Lines calls = h.since(mark);
  if (calls.empty()) return {};
  EXPECT_EQ(calls, Lines{"menu deploy menu panel 1 -> -1"});
  return h.lastMenuItems;
}

TEST_F(PanelTest, MenuBandsFollowTheLayout) {
  runNullWith(1500, [](FakePanelHost &h) {
    EXPECT_EQ(menuAt(h, 1), kBasicItems);
    EXPECT_EQ(menuAt(h, 56), kBasicItems);
    EXPECT_EQ(menuAt(h, 58), kGeneralItems);
    EXPECT_EQ(menuAt(h, 136), kGeneralItems);
    EXPECT_EQ(menuAt(h, 138), kShadowItems);
    EXPECT_EQ(menuAt(h, 186), kShadowItems);
    for (int y : {57, 137, 187, 0, -5, 240}) EXPECT_TRUE(menuAt(h, y).empty()) << y;
    EXPECT_TRUE(menuAt(h, 20, 223).empty());
  });
  runBoneWith(1447, [](FakePanelHost &h) {
    EXPECT_EQ(menuAt(h, 57), kBasicItems);
    EXPECT_EQ(menuAt(h, 0), kBasicItems);
    EXPECT_EQ(menuAt(h, -3), kBasicItems);
    EXPECT_TRUE(menuAt(h, 58).empty());
    EXPECT_TRUE(menuAt(h, 20, 225).empty());
  });
}

TEST_F(PanelTest, MenuItemFunctions) {
  PanelContext context{};
  context.menuLists[0] = kBasicMenu;
  context.menuLists[1] = kGeneralMenu;
  context.menuLists[2] = kShadowMenu;
  context.menuCounts = kMenuCounts;
  const int counts[] = {4, 3, 3};
  for (int menu = 0; menu < 3; ++menu) {
    context.menuIndex = menu;
    EXPECT_EQ(menuItemCount(&context), counts[menu]);
    EXPECT_EQ(menuItemName(&context, -1), nullptr);
    EXPECT_EQ(menuItemName(&context, counts[menu]), nullptr);
    EXPECT_EQ(menuItemName(&context, 0), context.menuLists[menu][0]);
  }
  EXPECT_EQ(menuItemCount(nullptr), 0);
  EXPECT_EQ(menuItemName(nullptr, 0), nullptr);
  context.menuIndex = 3;  // no such menu
  EXPECT_EQ(menuItemCount(&context), 0);
  EXPECT_EQ(menuItemName(&context, 0), nullptr);
}

TEST_F(PanelTest, BasicMenuResetsNaming) {
  std::strcpy(gOptionStore.nullName, "Stored");
  std::strcpy(gOptionStore.boneName, "Stored");
  runNullWith(1500, [](FakePanelHost &h) {
    size_t mark = h.mark();
    h.click(10, 1);
    EXPECT_EQ(h.since(mark), (Lines{"menu deploy menu panel 1 -> 1", "#1 set value \"Null\"/64"}));
    mark = h.mark();
    h.click(10, 2);
    EXPECT_EQ(h.since(mark), (Lines{"menu deploy menu panel 1 -> 2", "#5 set value 0", "#4 set value 0"}));
    mark = h.mark();
    h.click(10, 3);
    EXPECT_EQ(h.since(mark), (Lines{"menu deploy menu panel 1 -> 3", "#3 set value \"1\"/8"}));
    mark = h.mark();
    h.click(10, 0);
    h.click(10, -1);
    EXPECT_EQ(h.since(mark), (Lines{"menu deploy menu panel 1 -> 0", "menu deploy menu panel 1 -> -1"}));
  });
  runBoneWith(1447, [](FakePanelHost &h) { h.click(30, 1); });
  EXPECT_STREQ(gOptionStore.boneName, "Bone");
}

TEST_F(PanelTest, FlagMenusSetTheirGroups) {
  runNullWith(1165, [](FakePanelHost &h) {
    size_t mark = h.mark();
    h.click(100, 2);
    EXPECT_EQ(h.since(mark), (Lines{"menu deploy menu panel 1 -> 2", "#13 set value 1", "#15 set value 1",
                                    "#16 set value 1"}));
  });
  runNullWith(1166, [](FakePanelHost &h) {
    size_t mark = h.mark();
    h.click(100, 1);
    EXPECT_EQ(h.since(mark), (Lines{"menu deploy menu panel 1 -> 1", "#13 set value 0", "#14 set value 0",
                                    "#16 set value 0", "#17 set value 0"}));
    mark = h.mark();
    h.click(150, 2);
    EXPECT_EQ(h.since(mark), (Lines{"menu deploy menu panel 1 -> 2", "#15 set value 1", "#18 set value 1",
                                    "#19 set value 1"}));
    mark = h.mark();
    h.click(150, 0);
    h.click(100, 3);  // no such item
    EXPECT_EQ(h.since(mark).size(), 2u);
  });
  EXPECT_EQ(nullOptions.unseenByRays, 0);
  EXPECT_EQ(nullOptions.selfShadow + nullOptions.castShadow + nullOptions.receiveShadow, 3);
  panelMouse(nullptr, nullptr, LAYOUT_MOUSE_MENU, 0, 10);
}

}  // namespace
}  // namespace mint::testing

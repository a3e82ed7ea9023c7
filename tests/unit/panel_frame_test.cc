// The frame around both panels: missing services, controls or menus the host
// fails to create, centring and the placement function.
#include <algorithm>
#include <cstring>

#include "panel_test_support.h"

namespace mint::testing {
namespace {

TEST_F(PanelTest, MissingServiceShowsNoPanel) {
  for (const char *service : {LAYOUT_CONTEXT_MENU_SERVICES, LAYOUT_PANEL_SERVICES}) {
    host.calls.clear();
    host.missingServices = {service};
    EXPECT_EQ(runNull(1500), 0) << service;
    EXPECT_EQ(runBone(1500), 0) << service;
    const Lines lookups = {"lookup ContextMenuServices", "lookup LWPanelServices"};
    EXPECT_EQ(joined(host.calls), joined(concat({lookups, lookups}))) << service;
  }
}

TEST_F(PanelTest, PanelOrMenuNotCreatedGivesCancel) {
  host.failPanel = true;
  EXPECT_EQ(runNull(1500), 0);
  EXPECT_EQ(host.calls.back(), "create \"Mint_Pivots\"");

  host.calls.clear();
  host.failPanel = false;
  host.failMenu = true;
  EXPECT_EQ(runBone(1447), 0);
  EXPECT_EQ(host.calls.size(), 5u);
  EXPECT_EQ(host.calls[3], "menu create [18 145 menuItemCount menuItemName] context");
  EXPECT_EQ(host.calls[4], "destroy panel");
}

// Whichever control the host fails to create, the panel stops there, destroys
// the menu and then the panel, and writes nothing.
TEST_F(PanelTest, ControlNotCreatedGivesCancel) {
  const OptionStore before = gOptionStore;
  struct Case {
    bool bone;
    uint32_t build;
    int controls;
  };
  for (const Case &c :
       {Case{false, 1500, 25}, Case{false, 598, 24}, Case{true, 1447, 16}, Case{true, 1446, 12}}) {
    for (int failing = 1; failing <= c.controls; ++failing) {
      host.calls.clear();
      host.failControl = failing;
      const int result = c.bone ? runBone(c.build) : runNull(static_cast<int32_t>(c.build));
      SCOPED_TRACE(std::to_string(c.build) + " control " + std::to_string(failing));
      EXPECT_EQ(result, 0);
      ASSERT_GE(host.calls.size(), 3u);
      const size_t n = host.calls.size();
      EXPECT_NE(host.calls[n - 3].find("-> null"), std::string::npos) << host.calls[n - 3];
      EXPECT_EQ(host.calls[n - 2], "menu destroy menu");
      EXPECT_EQ(host.calls[n - 1], "destroy panel");
      EXPECT_EQ(host.services.userData, nullptr);
    }
    // With every control made, the count is exactly right.
    host.failControl = c.controls + 1;
    EXPECT_EQ(c.bone ? runBone(c.build) : runNull(static_cast<int32_t>(c.build)), 1);
    EXPECT_EQ(static_cast<int>(host.controls.size()), c.controls);
    gOptionStore = before;
  }
  EXPECT_EQ(0, std::memcmp(&before, &gOptionStore, sizeof before));
}

// A host failure while the confirmed panel is read back ends the run as
// cancelled, keeps the choices remembered before it (no half-read name) and
// still takes the menu and the panel down.
TEST_F(PanelTest, FailureWhileReadingBackKeepsTheRememberedChoices) {
  std::strcpy(gOptionStore.nullName, "Pivot");
  const OptionStore before = gOptionStore;
  const auto typeNewChoices = [](FakePanelHost &h) {
    h.edit(h.control(kNameId), "Rig");
    h.choose(h.control(kSuffixId), 3);
  };
  host.calls.clear();
  ASSERT_EQ(runNullWith(1500, typeNewChoices), 1);
  // The read-back takes the name, then the count.
  const auto countRead = std::find(host.calls.rbegin(), host.calls.rend(), "#2 get value text/8");
  ASSERT_NE(countRead, host.calls.rend());
  const auto failing = static_cast<size_t>(host.calls.rend() - countRead);
  gOptionStore = before;

  host.calls.clear();
  host.throwAtCall = failing;
  EXPECT_EQ(runNullWith(1500, typeNewChoices), 0);
  EXPECT_EQ(0, std::memcmp(&before, &gOptionStore, sizeof before));
  EXPECT_EQ(Lines(host.calls.end() - 2, host.calls.end()), kTeardown);
  EXPECT_EQ(host.services.userData, nullptr);
}

TEST_F(PanelTest, CentringUsesArithmeticHalving) {
  if (!desktopIsSettable()) GTEST_SKIP() << "the module centres on the system's desktop";
  int32_t x = 0;
  int32_t y = 0;
  centrePanel(&x, &y);
  EXPECT_EQ(x, 800);
  EXPECT_EQ(y, 415);
  setDesktop(300, 200);
  centrePanel(&x, &y);
  EXPECT_EQ(x, -10);
  EXPECT_EQ(y, -25);
  // Odd negative differences round towards minus infinity.
  setDesktop(299, 199);
  centrePanel(&x, &y);
  EXPECT_EQ(x, -11);
  EXPECT_EQ(y, -26);
  // A failing client-rectangle call means the default desktop.
  setDesktop(300, 200, false);
  centrePanel(&x, &y);
  EXPECT_EQ(x, 800);
  EXPECT_EQ(y, 415);
}

TEST_F(PanelTest, PlacementRestoresLeftEdgeWhileOpen) {
  if (!desktopIsSettable()) GTEST_SKIP() << "the module centres on the system's desktop";
  setDesktop(300, 200);
  runNullWith(1500, [](FakePanelHost &h) {
    h.panelX = 55;
    const size_t mark = h.mark();
    h.place();
    EXPECT_EQ(h.since(mark), Lines{"panel set x -10"});
  });
  EXPECT_EQ(host.panelSettings[LAYOUT_PAN_Y], "-25");
  EXPECT_EQ(host.panelX, -10);
  // After the panel function returns, callbacks find no context.
  const size_t mark = host.mark();
  host.place();
  EXPECT_EQ(host.key('d'), 0);
  host.click(10, 1);
  placePanel(nullptr, nullptr);
  EXPECT_TRUE(host.since(mark).empty());
}

}  // namespace
}  // namespace mint::testing

// What the host sees of the module as a whole: its descriptor, the services it
// asks for, what it does without them, and the choices it remembers.
#include "mint_host.h"

namespace mint::e2e {
namespace {

class Activation : public MintHost {};

TEST_F(Activation, DescriptorListsBothGenericCommands) {
  const auto &servers = host.module()->servers();
  ASSERT_EQ(servers.size(), 2u);
  EXPECT_EQ(servers[0].name, "Mint_Pivots");
  EXPECT_EQ(servers[1].name, "Mint_Joints");
  for (const auto &server : servers) {
    EXPECT_EQ(server.className, "LayoutGeneric");
    ASSERT_EQ(server.tags.size(), 1u);
    EXPECT_EQ(server.tags[0].first, "Ketchtools");
    EXPECT_EQ(server.tags[0].second, 0x20000u);
  }
  EXPECT_EQ(host.module()->startupResult(), reinterpret_cast<void *>(4));
}

TEST_F(Activation, ServicesAreLookedUpInOrder) {
  select({object("Body")});
  host.services().clearLookups();
  run("Mint_Pivots", {user::cancel()});
  EXPECT_EQ(host.lookups(), (Texts{"LW Interface Info 3", "LW Item Info 3", "Product Info",
                                   "ContextMenuServices", "LWPanelServices"}));
  host.services().clearLookups();
  run("Mint_Joints", {user::cancel()});
  EXPECT_EQ(host.lookups(), (Texts{"LW Bone Info 3", "LW Interface Info 3", "LW Item Info 3", "Product Info",
                                   "ContextMenuServices", "LWPanelServices"}));
  EXPECT_TRUE(sent().empty());
}

TEST_F(Activation, MissingInformationServicesRefuseBeforeAnyPanel) {
  select({object("Body")});
  for (auto service : {layout::Service::kInterfaceInfo, layout::Service::kItemInfo}) {
    host.setServiceEnabled(service, false);
    EXPECT_EQ(run("Mint_Pivots"), 2);
    EXPECT_EQ(run("Mint_Joints"), 2);
    host.setServiceEnabled(service, true);
  }
  host.setServiceEnabled(layout::Service::kBoneInfo, false);
  EXPECT_EQ(run("Mint_Joints"), 2);
  EXPECT_EQ(host.scriptedFrontEnd().panelsShown(), 0u);
  EXPECT_EQ(run("Mint_Pivots"), 0);
  EXPECT_EQ(host.scriptedFrontEnd().panelsShown(), 1u);
  EXPECT_FALSE(sent().empty());
}

TEST_F(Activation, MissingPanelServicesCancelQuietly) {
  select({object("Body")});
  for (auto service : {layout::Service::kPanelServices, layout::Service::kContextMenuServices}) {
    host.setServiceEnabled(service, false);
    EXPECT_EQ(run("Mint_Pivots"), 0);
    EXPECT_EQ(run("Mint_Joints"), 0);
    EXPECT_TRUE(sent().empty());
    EXPECT_EQ(host.scriptedFrontEnd().panelsShown(), 0u);
    host.setServiceEnabled(service, true);
  }
}

TEST_F(Activation, CancelSendsNothingAndRemembersNothing) {
  select({object("Body")});
  run("Mint_Pivots", {user::setText("name", "Gone"), user::choose("suffix", 2), user::cancel()});
  EXPECT_TRUE(sent().empty());
  run("Mint_Pivots",
      {user::inspect([](const layout::PanelView &panel) { EXPECT_EQ(panel.controls[0].text, "Null"); }),
       user::cancel()});
}

TEST_F(Activation, ConfirmedChoicesCarryOverBetweenCommands) {
  const ItemID body = object("Body");
  select({body});
  run("Mint_Pivots", {user::setText("name", "Loc"), user::choose("suffix", 2), user::tick("Parent (x)"),
                      user::tick("Hierarchy")});
  // The bone panel opens with the numbering chosen for nulls, and the null
  // panel with its remembered name and parent choice but Hierarchy cleared.
  select({body});
  run("Mint_Joints", {user::inspect([](const layout::PanelView &panel) {
                        EXPECT_EQ(panel.title, "Mint_Joints");
                        EXPECT_EQ(panel.controls[0].text, "Bone");
                        EXPECT_EQ(panel.controls[4].integer, 2);  // suffix popup
                      }),
                      user::cancel()});
  run("Mint_Pivots", {user::inspect([](const layout::PanelView &panel) {
                        for (const auto &control : panel.controls) {
                          if (control.label == "Parent (x)") {
                            EXPECT_EQ(control.integer, 1);
                          }
                          if (control.label == "Hierarchy") {
                            EXPECT_EQ(control.integer, 0);
                          }
                        }
                        EXPECT_EQ(panel.controls[0].text, "Loc");
                      }),
                      user::cancel()});
}

TEST_F(Activation, PanelIsCentredOnTheDesktop) {
  select({object("Body")});
  host.setDesktopSize(300, 200);
  run("Mint_Pivots", {user::inspect([](const layout::PanelView &panel) {
                        EXPECT_EQ(panel.x, -10);
                        EXPECT_EQ(panel.y, -25);
                        EXPECT_EQ(panel.width, 314);
                        EXPECT_EQ(panel.height, 248);
                      }),
                      user::cancel()});
}

TEST_F(Activation, KeysAloneSetUpAndStartARun) {
  select({object("Body")});
  // "4" sets the count, "e" steps the suffix to "+_n", Enter closes as OK.
  run("Mint_Pivots", {user::pressKey('4'), user::pressKey('e'), user::pressKey(0x0D),
                      user::setText("name", "never reached")});
  EXPECT_EQ(sent()[0], "AddNull Null_1");
  EXPECT_EQ(host.scene().items(layout::ItemType::kObject).size(), 5u);
  EXPECT_EQ(host.scriptedFrontEnd().remaining(), 1u);
}

TEST_F(Activation, MenusResetGroupsOfRenderFlags) {
  select({object("Body")});
  // General "Disable all" clears the four unseen flags, Shadow "Enable all"
  // ticks the three shadow boxes: only the alpha channel differs from a new null.
  run("Mint_Pivots",
      {user::click(LAYOUT_MOUSE_MENU, 10, 100, 1), user::click(LAYOUT_MOUSE_MENU, 10, 150, 2)});
  const Texts expected = {"AddNull Null", "ItemActive 0", "ItemVisibility 2", "UnseenByAlphaChannel 1"};
  EXPECT_EQ(sent(), expected);
  ASSERT_EQ(host.scriptedFrontEnd().menus().size(), 2u);
  EXPECT_EQ(host.scriptedFrontEnd().menus()[0].items.size(), 3u);
}

}  // namespace
}  // namespace mint::e2e

// Mint_Pivots from the user's panel to the scene, through the real module.
#include <algorithm>

#include "mint_host.h"

namespace mint::e2e {
namespace {

class NullRun : public MintHost {
 protected:
  // Five objects, the first selected, so the new nulls get IDs 10000005 on.
  ItemID fiveObjectsFirstSelected() {
    ItemID first = object("Body");
    for (const char *n : {"Arm", "Leg", "Head", "Tail"}) object(n);
    select({first});
    return first;
  }
};

TEST_F(NullRun, WorkedSequenceFromTheDefaultPanel) {
  // The defaults at build 1500 plus suffix "+_nnn" and two nulls.
  fiveObjectsFirstSelected();
  host.setDynamicUpdate(2);
  EXPECT_EQ(run("Mint_Pivots", {user::choose("suffix", 3), user::setText("Num", "2"), user::ok()}), 0);
  const Texts expected = {"DynamicUpdate 0",         "AddNull Null_001",    "ItemActive 0",
                          "ItemVisibility 2",        "AddNull Null_002",    "ItemActive 0",
                          "ItemVisibility 2",        "SelectItem 10000005", "AddToSelection 10000005",
                          "AddToSelection 10000006", "SelfShadow",          "CastShadow",
                          "ReceiveShadow",           "UnseenByRays",        "UnseenByRadiosity",
                          "UnseenByCamera",          "UnaffectedByFog",     "UnseenByAlphaChannel 1",
                          "DynamicUpdate 2"};
  EXPECT_EQ(sent(), expected);
  EXPECT_TRUE(host.rejections().empty());

  // What the scene shows for it: both nulls named, flagged and selected.
  for (ItemID id : {0x10000005u, 0x10000006u}) {
    const layout::Item &null = item(id);
    EXPECT_FALSE(null.has(layout::kItemActive));
    EXPECT_EQ(null.visibility, 2);
    EXPECT_FALSE(null.has(layout::kItemSelfShadow) || null.has(layout::kItemCastShadow) ||
                 null.has(layout::kItemReceiveShadow));
    EXPECT_TRUE(null.has(layout::kItemUnseenByRays) && null.has(layout::kItemUnseenByRadiosity) &&
                null.has(layout::kItemUnseenByCamera) && null.has(layout::kItemUnaffectedByFog));
    EXPECT_EQ(null.alphaMode, layout::kAlphaUnaffectedByObjects);
    EXPECT_TRUE(host.scene().isSelected(id));
  }
  EXPECT_EQ(name(0x10000005u), "Null_001");
  EXPECT_EQ(name(0x10000006u), "Null_002");
  EXPECT_EQ(host.interfaceState().dynamicUpdate, 2);
}

TEST_F(NullRun, SingleNullSkipsTheSelectionPass) {
  fiveObjectsFirstSelected();
  host.setDynamicUpdate(2);
  run("Mint_Pivots", {user::choose("suffix", 3), user::ok()});
  const Texts expected = {
      "DynamicUpdate 0", "AddNull Null_001",       "ItemActive 0",   "ItemVisibility 2",  "SelfShadow",
      "CastShadow",      "ReceiveShadow",          "UnseenByRays",   "UnseenByRadiosity", "UnseenByCamera",
      "UnaffectedByFog", "UnseenByAlphaChannel 1", "DynamicUpdate 2"};
  EXPECT_EQ(sent(), expected);
}

TEST_F(NullRun, ProgressOnlyAboveOneHundredNullsOnModernHosts) {
  const ItemID body = object("Body");
  auto runWithCount = [&](uint32_t build, const char *count) {
    host.setBuild(build);
    select({body});
    run("Mint_Pivots", {user::setText("Num", count)});
    const Texts texts = sent();
    return std::count_if(texts.begin(), texts.end(),
                         [](const std::string &t) { return t.rfind("StatusMsg {", 0) == 0; });
  };
  EXPECT_EQ(runWithCount(1500, "100"), 0);
  EXPECT_EQ(runWithCount(598, "101"), 0);
  EXPECT_EQ(runWithCount(599, "101"), 101);
  const Texts texts = sent();
  EXPECT_EQ(texts[texts.size() - 1], "StatusMsg Done");
  // Selecting follows the last progress message and precedes the selection pass.
  const auto selecting = std::find(texts.begin(), texts.end(), "StatusMsg Selecting");
  ASSERT_NE(selecting, texts.end());
  EXPECT_EQ(*(selecting - 1), "StatusMsg {1.000000} Creating");
  EXPECT_EQ((selecting + 1)->rfind("SelectItem ", 0), 0u);
  EXPECT_NE(std::find(texts.begin(), texts.end(), "StatusMsg {0.009901} Creating"), texts.end());
}

TEST_F(NullRun, OldHostsGetRenderFlagsPerNullAndTheAlphaToggle) {
  host.setBuild(598);
  select({object("Body")});
  run("Mint_Pivots", {user::setText("Num", "2")});
  const Texts expected = {"AddNull Null",
                          "ItemActive 0",
                          "ItemVisibility 2",
                          "SelfShadow",
                          "CastShadow",
                          "ReceiveShadow",
                          "UnseenByRays",
                          "UnseenByCamera",
                          "UnaffectedByFog",
                          "UnseenByAlphaChannel",
                          "AddNull Null",
                          "ItemActive 0",
                          "ItemVisibility 2",
                          "SelfShadow",
                          "CastShadow",
                          "ReceiveShadow",
                          "UnseenByRays",
                          "UnseenByCamera",
                          "UnaffectedByFog",
                          "UnseenByAlphaChannel",
                          "SelectItem 10000001",
                          "AddToSelection 10000001",
                          "AddToSelection 10000002"};
  EXPECT_EQ(sent(), expected);
  EXPECT_EQ(item(0x10000002u).alphaMode, 1);
}

TEST_F(NullRun, ParentingEachToTheSelectionOrAsAChain) {
  const ItemID rig = object("Rig");
  select({rig});
  run("Mint_Pivots",
      {user::tick("Parent (x)"), user::setText("Num", "3"), user::untick("after Select"), user::ok()});
  for (ItemID id : {0x10000001u, 0x10000002u, 0x10000003u}) EXPECT_EQ(item(id).parent, rig);
  Texts texts = sent();
  EXPECT_EQ(std::count(texts.begin(), texts.end(), "ParentItem 10000000"), 3);
  EXPECT_EQ(std::count(texts.begin(), texts.end(), "Position 0 0 0"), 3);

  select({rig});
  run("Mint_Pivots", {user::tick("Hierarchy"), user::setText("Num", "3"), user::untick("local Zero")});
  EXPECT_EQ(item(0x10000004u).parent, rig);
  EXPECT_EQ(item(0x10000005u).parent, 0x10000004u);
  EXPECT_EQ(item(0x10000006u).parent, 0x10000005u);
  texts = sent();
  EXPECT_EQ(std::count(texts.begin(), texts.end(), "Position 0 0 0"), 0);
  EXPECT_TRUE(host.rejections().empty());
}

TEST_F(NullRun, NonObjectOrEmptySelectionSwitchesToObjects) {
  run("Mint_Pivots", {user::tick("Parent (x)")});
  // A single null gets its render flags before it is parented.
  const Texts expected = {"EditObjects",         "AddNull Null",    "ItemActive 0",
                          "ItemVisibility 2",    "SelfShadow",      "CastShadow",
                          "ReceiveShadow",       "UnseenByRays",    "UnseenByRadiosity",
                          "UnseenByCamera",      "UnaffectedByFog", "UnseenByAlphaChannel 1",
                          "ParentItem 00000000", "Position 0 0 0"};
  EXPECT_EQ(sent(), expected);

  select({light("Key")});
  run("Mint_Pivots");
  EXPECT_EQ(sent().front(), "EditObjects");
}

TEST_F(NullRun, NamesNumbersColourAndVisibility) {
  select({object("Body")});
  run("Mint_Pivots", {user::setText("name", "Pivot"), user::choose("prefix", 1), user::choose("suffix", 7),
                      user::setText("CountSt", "5"), user::choose("Col", 0), user::choose("Vis", 0)});
  const Texts texts = sent();
  ASSERT_GE(texts.size(), 4u);
  EXPECT_EQ(texts[0], "AddNull 5_Pivot 005");
  EXPECT_EQ(texts[2], "ItemVisibility 0");
  EXPECT_EQ(texts[3], "ItemColor 0");
  EXPECT_EQ(item(0x10000001u).colour, 0);
  EXPECT_EQ(item(0x10000001u).visibility, 0);
}

TEST_F(NullRun, PercentSignsInTheNameStayLiteral) {
  select({object("Body")});
  run("Mint_Pivots", {user::setText("name", "100%s %d %n"), user::choose("suffix", 1)});
  EXPECT_EQ(sent().front(), "AddNull 100%s %d %n_1");
  EXPECT_EQ(name(0x10000001u), "100%s %d %n_1");
}

TEST_F(NullRun, LongestNameFitsWhole) {
  select({object("Body")});
  const std::string longest(63, 'N');
  run("Mint_Pivots", {user::setText("name", longest), user::choose("prefix", 3), user::choose("suffix", 3),
                      user::setText("CountSt", "1000")});
  EXPECT_EQ(sent().front(), "AddNull 1000_" + longest + "_1000");
}

TEST_F(NullRun, NoDynamicUpdateCommandsWhenItIsOff) {
  select({object("Body")});
  run("Mint_Pivots", {user::setText("Num", "3")});
  for (const std::string &text : sent()) EXPECT_EQ(text.rfind("DynamicUpdate", 0), std::string::npos) << text;
}

}  // namespace
}  // namespace mint::e2e

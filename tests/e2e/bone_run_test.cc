// Mint_Joints from the user's panel to the scene, through the real module.
#include <algorithm>

#include "mint_host.h"

namespace mint::e2e {
namespace {

class BoneRun : public MintHost {};

TEST_F(BoneRun, WorkedChainOnAnObject) {
  const ItemID body = object("Body");
  select({body});
  host.setDynamicUpdate(1);
  EXPECT_EQ(run("Mint_Joints", {user::choose("suffix", 1), user::setText("Num", "3"), user::ok()}), 0);
  const Texts expected = {"DynamicUpdate 0",     "SelectItem 10000000", "AddBone Bone_1",
                          "BoneRestLength 0.5",  "AddChildBone Bone_2", "BoneRestLength 0.5",
                          "AddChildBone Bone_3", "BoneRestLength 0.5",  "DynamicUpdate 1"};
  EXPECT_EQ(sent(), expected);

  // A chain: each bone under the one before, all owned by the object.
  EXPECT_EQ(name(0x40000000u), "Bone_1");
  EXPECT_EQ(item(0x40000000u).owner, body);
  EXPECT_EQ(item(0x40000001u).parent, 0x40000000u);
  EXPECT_EQ(item(0x40000002u).parent, 0x40000001u);
  EXPECT_EQ(item(0x40000002u).owner, body);
  EXPECT_DOUBLE_EQ(item(0x40000002u).restLength, 0.5);
  EXPECT_TRUE(item(0x40000002u).has(layout::kItemBoneMultiply));
}

TEST_F(BoneRun, WorkedSiblingsOnABone) {
  const ItemID body = object("Body");
  const ItemID root = bone("Root", body);
  const ItemID arm = bone("Arm", root);
  ASSERT_EQ(arm, 0x40000001u);
  host.scene().find(arm)->set(layout::kItemBoneMultiply, false);
  select({arm});
  run("Mint_Joints", {user::choose("suffix", 2), user::setText("CountSt", "5"), user::setText("Num", "2"),
                      user::tick("individual"), user::setNumber("Strength", 50), user::choose("Col", 3)});
  const Texts expected = {"SelectItem 40000001", "AddChildBone Bone_05", "BoneRestLength 0.5",
                          "BoneStrength 0.5",    "ItemColor 3",          "BoneStrengthMultiply",
                          "SelectItem 40000001", "AddChildBone Bone_06", "BoneRestLength 0.5",
                          "BoneStrength 0.5",    "ItemColor 3",          "BoneStrengthMultiply"};
  EXPECT_EQ(sent(), expected);
  for (ItemID id : {0x40000002u, 0x40000003u}) {
    EXPECT_EQ(item(id).parent, arm);
    EXPECT_TRUE(item(id).has(layout::kItemBoneMultiply));
    EXPECT_DOUBLE_EQ(item(id).strength, 0.5);
    EXPECT_EQ(item(id).colour, 3);
  }
}

TEST_F(BoneRun, LastSelectedFirstAndNumberingRestartsPerItem) {
  const ItemID a = object("A");
  const ItemID b = object("B");
  select({a, b});
  run("Mint_Joints", {user::choose("suffix", 1), user::setText("Num", "2"), user::tick("individual")});
  const Texts expected = {"SelectItem 10000001", "AddBone Bone_1", "BoneRestLength 0.5",
                          "SelectItem 10000001", "AddBone Bone_2", "BoneRestLength 0.5",
                          "SelectItem 10000000", "AddBone Bone_1", "BoneRestLength 0.5",
                          "SelectItem 10000000", "AddBone Bone_2", "BoneRestLength 0.5"};
  EXPECT_EQ(sent(), expected);
}

TEST_F(BoneRun, FirstSelectedItemDecidesThePathForAll) {
  const ItemID body = object("Body");
  const ItemID spine = bone("Spine", body);
  select({body, spine});
  run("Mint_Joints", {user::untick("Multiply Str by RestLength")});
  const Texts expected = {"SelectItem 40000000",  "AddBone Bone",        "BoneRestLength 0.5",
                          "BoneStrengthMultiply", "SelectItem 10000000", "AddBone Bone",
                          "BoneRestLength 0.5",   "BoneStrengthMultiply"};
  EXPECT_EQ(sent(), expected);
  // A bone current gets a new root bone on its object, as in Layout, and
  // what follows sets the new bone, never the selected one.
  EXPECT_TRUE(host.rejections().empty());
  EXPECT_EQ(item(spine).restLength, 1.0);
  EXPECT_TRUE(item(spine).has(layout::kItemBoneMultiply));
  const auto &bones = host.scene().items(layout::ItemType::kBone);
  ASSERT_EQ(bones.size(), 3u);
  for (size_t i = 1; i < bones.size(); ++i) {
    const layout::Item &added = bones[i];
    EXPECT_EQ(added.owner, body);
    EXPECT_EQ(added.parent, 0u);  // a root bone
    EXPECT_EQ(added.restLength, 0.5);
  }
}

TEST_F(BoneRun, MultiplyToggleFollowsEachSelectedBone) {
  const ItemID body = object("Body");
  const ItemID plain = bone("Plain", body);
  const ItemID scaled = bone("Scaled", body);
  host.scene().find(plain)->set(layout::kItemBoneMultiply, false);
  select({plain, scaled});
  run("Mint_Joints", {user::setText("Num", "2")});
  const Texts expected = {"SelectItem 40000001", "AddChildBone Bone",  "BoneRestLength 0.5",
                          "AddChildBone Bone",   "BoneRestLength 0.5", "SelectItem 40000000",
                          "AddChildBone Bone",   "BoneRestLength 0.5", "BoneStrengthMultiply",
                          "AddChildBone Bone",   "BoneRestLength 0.5"};
  EXPECT_EQ(sent(), expected);
  // Every new bone ends with the flag the panel asked for.
  for (ItemID id = 0x40000002u; id <= 0x40000005u; ++id) EXPECT_TRUE(item(id).has(layout::kItemBoneMultiply));
}

TEST_F(BoneRun, ValuesAreWrittenWithSixSignificantDigits) {
  select({object("Body")});
  run("Mint_Joints", {user::setNumber("Rest Length", 123.456789), user::setNumber("Strength", 99.9)});
  EXPECT_EQ(sent()[2], "BoneRestLength 123.457");
  EXPECT_EQ(sent()[3], "BoneStrength 0.999");
  run("Mint_Joints", {user::setNumber("Rest Length", 0.3)});
  EXPECT_EQ(sent()[2], "BoneRestLength 0.3");
}

TEST_F(BoneRun, IconScaleAndJointBonesFromBuild1447) {
  host.setBuild(1447);
  select({object("Body")});
  run("Mint_Joints", {user::choose("icon", 1), user::setNumber("iconPercent", 40), user::tick("joint Bone")});
  const Texts expected = {"SelectItem 10000000", "AddBone Bone", "BoneRestLength 0.5", "ItemIconScale 0.4",
                          "BoneType 1"};
  EXPECT_EQ(sent(), expected);
  EXPECT_DOUBLE_EQ(item(0x40000000u).iconScale, 0.4);
  EXPECT_EQ(item(0x40000000u).boneType, layout::kBoneJoint);

  // "auto" sizes the icon by the rest length; "def" sends nothing.
  run("Mint_Joints", {user::choose("icon", 2), user::setNumber("Rest Length", 0.25)});
  EXPECT_EQ(sent()[3], "ItemIconScale 0.25");
  run("Mint_Joints");
  EXPECT_EQ(sent().size(), 3u);
}

TEST_F(BoneRun, ProgressOverTheWholeRun) {
  host.setBuild(599);
  select({object("A"), object("B")});
  run("Mint_Joints", {user::setText("Num", "50")});
  const Texts quiet = sent();
  EXPECT_EQ(std::count_if(quiet.begin(), quiet.end(),
                          [](const std::string &t) { return t.rfind("StatusMsg", 0) == 0; }),
            0);

  select({object("C")});
  host.setDynamicUpdate(2);
  run("Mint_Joints", {user::setText("Num", "101")});
  const Texts texts = sent();
  EXPECT_EQ(texts[4], "StatusMsg {0.009901} Creating");
  EXPECT_EQ(texts[texts.size() - 3], "StatusMsg {1.000000} Creating");
  EXPECT_EQ(texts[texts.size() - 2], "DynamicUpdate 2");
  EXPECT_EQ(texts.back(), "StatusMsg Done");
}

TEST_F(BoneRun, OldHostsRewriteTheSelectionSoTheRunWorksOnACopy) {
  // The host rewrites its list as the run selects items; walking it in place
  // would lose the first selected object once the second was selected.
  host.setBuild(598);
  const ItemID a = object("A");
  const ItemID b = object("B");
  select({a, b});
  run("Mint_Joints", {user::setText("Num", "101"), user::tick("individual")});
  EXPECT_EQ(host.scene().items(layout::ItemType::kBone).size(), 202u);
  const auto children = [&](ItemID owner) {
    const auto &bones = host.scene().items(layout::ItemType::kBone);
    return std::count_if(bones.begin(), bones.end(), [&](const layout::Item &i) { return i.owner == owner; });
  };
  EXPECT_EQ(children(a), 101);
  EXPECT_EQ(children(b), 101);
  for (const std::string &text : sent()) EXPECT_EQ(text.rfind("StatusMsg", 0), std::string::npos);
}

TEST_F(BoneRun, NothingToDoForNoSelectionOrALightFirst) {
  EXPECT_EQ(run("Mint_Joints"), 0);
  const ItemID key = light("Key");
  select({key, object("Body")});
  EXPECT_EQ(run("Mint_Joints"), 0);
  EXPECT_TRUE(sent().empty());
  EXPECT_EQ(host.scriptedFrontEnd().panelsShown(), 0u);
}

}  // namespace
}  // namespace mint::e2e

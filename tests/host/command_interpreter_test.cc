#include "host/commands/command_interpreter.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <new>
#include <random>
#include <string>
#include <tuple>
#include <vector>

namespace layout {
namespace {

class CommandInterpreterTest : public ::testing::Test {
 protected:
  int run(std::string_view text) { return commands_.evaluate(text); }
  // The reason of the latest refusal, as "<text>: <reason>".
  std::string lastRefusal() const {
    return commands_.rejections().empty() ? "" : commands_.rejections().back().message();
  }
  const Item &item(ItemID id) { return *scene_.find(id); }
  std::string nameOf(ItemID id) { return std::string(scene_.name(item(id))); }
  std::vector<ItemID> selection() const { return {scene_.selection().begin(), scene_.selection().end()}; }

  Scene scene_;
  InterfaceState state_;
  CommandInterpreter commands_{scene_, state_};
};

TEST_F(CommandInterpreterTest, AddNullTakesTheRestOfTheTextAsItsNameAndSelectsIt) {
  scene_.select(scene_.addObject("Existing"));
  EXPECT_EQ(run("AddNull  two  spaces %d\t{x}"), 1);
  const ItemID id = 0x10000001u;
  EXPECT_EQ(nameOf(id), " two  spaces %d\t{x}");
  EXPECT_TRUE(item(id).has(kItemNull));
  EXPECT_EQ(scene_.current(), id);
  EXPECT_EQ(selection(), std::vector<ItemID>{id});

  EXPECT_EQ(run("AddNull"), 0);
  EXPECT_EQ(lastRefusal(), "AddNull: missing name");
  EXPECT_EQ(run("AddNull "), 0);
  EXPECT_EQ(scene_.items(ItemType::kObject).size(), 2u);
}

TEST_F(CommandInterpreterTest, AddBoneStartsMultipliedAndAddChildBoneInheritsFromItsParent) {
  const ItemID object = scene_.addObject("Arm");
  EXPECT_EQ(run("AddBone Bone_1"), 0);
  EXPECT_EQ(lastRefusal(), "AddBone Bone_1: no current item");
  scene_.select(object);
  EXPECT_EQ(run("AddChildBone Bone_1"), 0);
  EXPECT_EQ(lastRefusal(), "AddChildBone Bone_1: the current item is not a bone");

  ASSERT_EQ(run("AddBone Bone_1"), 1);
  const ItemID root = 0x40000000u;
  EXPECT_EQ(selection(), std::vector<ItemID>{root});
  EXPECT_EQ(item(root).owner, object);
  EXPECT_TRUE(item(root).has(kItemBoneMultiply));

  ASSERT_EQ(run("BoneStrengthMultiply"), 1);
  ASSERT_EQ(run("AddChildBone Bone 2"), 1);
  const ItemID child = 0x40000001u;
  EXPECT_EQ(nameOf(child), "Bone 2");
  EXPECT_EQ(item(child).parent, root);
  EXPECT_EQ(item(child).owner, object);
  EXPECT_FALSE(item(child).has(kItemBoneMultiply));
  EXPECT_EQ(scene_.current(), child);

  // With a bone current, AddBone adds a root bone to that bone's object.
  ASSERT_EQ(run("AddBone Bone_3"), 1);
  const ItemID second = 0x40000002u;
  EXPECT_EQ(item(second).owner, object);
  EXPECT_EQ(item(second).parent, 0u);
  EXPECT_TRUE(item(second).has(kItemBoneMultiply));
  EXPECT_EQ(scene_.current(), second);
  scene_.select(scene_.addLight("Key"));
  EXPECT_EQ(run("AddBone Bone_4"), 0);
  EXPECT_EQ(lastRefusal(), "AddBone Bone_4: the current item is not an object or a bone");
}

TEST_F(CommandInterpreterTest, ItemIdsAreHexWithOrWithoutPrefixAndOnlyTheLow32BitsCount) {
  for (int i = 0; i < 11; ++i) scene_.addObject("Object");
  const ItemID a = 0x10000000u, b = 0x10000001u, k = 0x1000000Au;
  const std::pair<const char *, ItemID> forms[] = {
      {"SelectItem 10000001", b},   {"SelectItem 0x10000001", b}, {"SelectItem 0X10000001", b},
      {"SelectItem 1000000a", k},   {"SelectItem 0x1000000A", k}, {"SelectItem FF10000001", b},
      {"SelectItem  10000001 ", b},
  };
  for (const auto &[text, id] : forms) {
    scene_.select(a);
    EXPECT_EQ(run(text), 1) << text;
    EXPECT_EQ(scene_.current(), id) << text;
  }
  EXPECT_EQ(run("SelectItem 1000000b"), 0);
  EXPECT_EQ(lastRefusal(), "SelectItem 1000000b: no item 1000000B");
  EXPECT_EQ(scene_.current(), b);
  EXPECT_EQ(run("SelectItem 0x"), 0);
  EXPECT_EQ(lastRefusal(), "SelectItem 0x: not an item ID: '0x'");
  EXPECT_EQ(run("SelectItem"), 0);
  EXPECT_EQ(lastRefusal(), "SelectItem: missing item ID");
  EXPECT_EQ(run("AddToSelection 10000000 10000001"), 0);
  EXPECT_EQ(lastRefusal(), "AddToSelection 10000000 10000001: unexpected argument '10000001'");

  EXPECT_EQ(run("SelectItem 10000000"), 1);
  EXPECT_EQ(run("AddToSelection 10000001"), 1);
  EXPECT_EQ(run("AddToSelection 10000000"), 1);
  EXPECT_EQ(selection(), (std::vector<ItemID>{a, b}));
  EXPECT_EQ(scene_.current(), a);
}

TEST_F(CommandInterpreterTest, RenderTogglesFlipEverySelectedItem) {
  const ItemID a = scene_.addNull("A"), b = scene_.addNull("B"), c = scene_.addNull("C");
  EXPECT_EQ(run("SelfShadow"), 0);
  EXPECT_EQ(lastRefusal(), "SelfShadow: nothing is selected");
  scene_.select(a);
  scene_.addToSelection(b);
  const std::pair<const char *, ItemFlag> toggles[] = {
      {"SelfShadow", kItemSelfShadow},
      {"CastShadow", kItemCastShadow},
      {"ReceiveShadow", kItemReceiveShadow},
      {"UnseenByRays", kItemUnseenByRays},
      {"UnseenByCamera", kItemUnseenByCamera},
      {"UnaffectedByFog", kItemUnaffectedByFog},
      {"UnseenByRadiosity", kItemUnseenByRadiosity},
  };
  for (const auto &[text, flag] : toggles) {
    const bool before = item(a).has(flag);
    ASSERT_EQ(run(text), 1) << text;
    EXPECT_NE(item(a).has(flag), before) << text;
    EXPECT_NE(item(b).has(flag), before) << text;
    EXPECT_EQ(item(c).has(flag), before) << text;
  }
  EXPECT_EQ(run("CastShadow 1"), 0);
  EXPECT_EQ(lastRefusal(), "CastShadow 1: unexpected argument '1'");
}

TEST_F(CommandInterpreterTest, AlphaChannelTogglesWithoutArgumentAndSetsWithOne) {
  const ItemID a = scene_.addNull("A"), b = scene_.addNull("B");
  scene_.select(a);
  scene_.addToSelection(b);
  ASSERT_EQ(run("UnseenByAlphaChannel"), 1);
  EXPECT_EQ(item(a).alphaMode, kAlphaUnaffectedByObjects);
  ASSERT_EQ(run("UnseenByAlphaChannel"), 1);
  EXPECT_EQ(item(b).alphaMode, kAlphaUseSurface);
  ASSERT_EQ(run("UnseenByAlphaChannel 2"), 1);
  EXPECT_EQ(item(a).alphaMode, kAlphaConstantBlack);
  EXPECT_EQ(item(b).alphaMode, kAlphaConstantBlack);
  ASSERT_EQ(run("UnseenByAlphaChannel"), 1);  // any mode other than 0 goes back to 0
  EXPECT_EQ(item(b).alphaMode, kAlphaUseSurface);
  EXPECT_EQ(run("UnseenByAlphaChannel 3"), 0);
  EXPECT_EQ(lastRefusal(), "UnseenByAlphaChannel 3: alpha mode out of range 0-2");
}

TEST_F(CommandInterpreterTest, BoneStrengthMultiplyFlipsOnlySelectedBones) {
  const ItemID object = scene_.addObject("Arm");
  const ItemID first = scene_.addBone("One", object), second = scene_.addBone("Two", object);
  scene_.select(object);
  EXPECT_EQ(run("BoneStrengthMultiply"), 0);
  EXPECT_EQ(lastRefusal(), "BoneStrengthMultiply: no bone is selected");
  scene_.addToSelection(first);
  scene_.addToSelection(second);
  ASSERT_EQ(run("BoneStrengthMultiply"), 1);
  EXPECT_FALSE(item(first).has(kItemBoneMultiply));
  EXPECT_FALSE(item(second).has(kItemBoneMultiply));
  EXPECT_FALSE(item(object).has(kItemBoneMultiply));
}

TEST_F(CommandInterpreterTest, PropertiesOfTheCurrentItemCheckTheirRanges) {
  EXPECT_EQ(run("ItemColor 3"), 0);
  EXPECT_EQ(lastRefusal(), "ItemColor 3: no current item");
  const ItemID null = scene_.addNull("N");
  scene_.select(null);
  EXPECT_EQ(run("ItemActive 0"), 1);
  EXPECT_EQ(run("ItemVisibility 7"), 1);
  EXPECT_EQ(run("ItemColor 14"), 1);
  EXPECT_EQ(run("Position 1.5 -2 3e2"), 1);
  EXPECT_EQ(run("ItemIconScale 0.25"), 1);
  EXPECT_FALSE(item(null).has(kItemActive));
  EXPECT_EQ(item(null).visibility, 7);
  EXPECT_EQ(item(null).colour, 14);
  EXPECT_EQ(item(null).position[2], 300.0);
  EXPECT_EQ(item(null).iconScale, 0.25);

  const std::pair<const char *, const char *> refused[] = {
      {"ItemColor 15", "ItemColor 15: colour out of range 0-14"},
      {"ItemColor x", "ItemColor x: colour is not an integer: 'x'"},
      {"ItemColor", "ItemColor: missing colour"},
      {"ItemActive 2", "ItemActive 2: active state out of range 0-1"},
      {"ItemVisibility 8", "ItemVisibility 8: visibility out of range 0-7"},
      {"Position 1 2", "Position 1 2: missing z"},
      {"Position 1 2 nan", "Position 1 2 nan: z is not finite: 'nan'"},
      {"BoneRestLength 0.5", "BoneRestLength 0.5: the current item is not a bone"},
      {"BoneType 1", "BoneType 1: the current item is not a bone"},
  };
  for (const auto &[text, message] : refused) {
    EXPECT_EQ(run(text), 0) << text;
    EXPECT_EQ(lastRefusal(), message);
  }
  EXPECT_EQ(item(null).colour, 14);
}

TEST_F(CommandInterpreterTest, BoneCommandsSetTheCurrentBone) {
  scene_.select(scene_.addObject("Arm"));
  ASSERT_EQ(run("AddBone B"), 1);
  EXPECT_EQ(run("BoneRestLength 0.3"), 1);
  EXPECT_EQ(run("BoneStrength 1e+06"), 1);
  EXPECT_EQ(run("BoneType 1"), 1);
  EXPECT_EQ(run("ItemVisibility 2"), 0);
  EXPECT_EQ(lastRefusal(), "ItemVisibility 2: visibility out of range 0-1");
  const Item &bone = item(0x40000000u);
  EXPECT_EQ(bone.restLength, 0.3);
  EXPECT_EQ(bone.strength, 1e6);
  EXPECT_EQ(bone.boneType, kBoneJoint);
}

TEST_F(CommandInterpreterTest, ParentItemParentsTheCurrentItemAndRefusesLoops) {
  const ItemID a = scene_.addNull("A"), b = scene_.addNull("B");
  scene_.select(b);
  EXPECT_EQ(run("ParentItem 10000000"), 1);
  EXPECT_EQ(item(b).parent, a);
  scene_.select(a);
  EXPECT_EQ(run("ParentItem 10000001"), 0);
  EXPECT_EQ(lastRefusal(), "ParentItem 10000001: 10000001 is below the current item");
  EXPECT_EQ(run("ParentItem 10000000"), 0);
  EXPECT_EQ(lastRefusal(), "ParentItem 10000000: an item cannot be its own parent");
  EXPECT_EQ(run("ParentItem 20000000"), 0);
  EXPECT_EQ(lastRefusal(), "ParentItem 20000000: no item 20000000");
  scene_.select(b);
  EXPECT_EQ(run("ParentItem 00000000"), 1);
  EXPECT_EQ(item(b).parent, 0u);
}

TEST_F(CommandInterpreterTest, UnknownWordsAreRefusedAndCaseMatters) {
  EXPECT_EQ(run("addnull Foo"), 0);
  EXPECT_EQ(lastRefusal(), "addnull Foo: unknown command (did you mean \"AddNull\"?)");
  EXPECT_EQ(run("Frobnicate"), 0);
  EXPECT_EQ(lastRefusal(), "Frobnicate: unknown command");
  EXPECT_EQ(run(""), 0);
  EXPECT_EQ(lastRefusal(), ": empty command");
  EXPECT_EQ(run(" AddNull X"), 0);

  // Every word is known, and none with a byte changed, added or dropped.
  for (const std::string word : {"AddBone",
                                 "AddChildBone",
                                 "AddNull",
                                 "AddToSelection",
                                 "BoneRestLength",
                                 "BoneStrength",
                                 "BoneStrengthMultiply",
                                 "BoneType",
                                 "CastShadow",
                                 "DynamicUpdate",
                                 "EditBones",
                                 "EditCameras",
                                 "EditLights",
                                 "EditObjects",
                                 "ItemActive",
                                 "ItemColor",
                                 "ItemIconScale",
                                 "ItemVisibility",
                                 "ParentItem",
                                 "Position",
                                 "ReceiveShadow",
                                 "SelectItem",
                                 "SelfShadow",
                                 "StatusMsg",
                                 "UnaffectedByFog",
                                 "UnseenByAlphaChannel",
                                 "UnseenByCamera",
                                 "UnseenByRadiosity",
                                 "UnseenByRays"}) {
    if (run(word + " ?") == 0) {
      EXPECT_EQ(lastRefusal().find("unknown command"), std::string::npos) << word;
    }
    for (size_t at = 0; at <= word.size(); ++at) {
      std::vector<std::string> near = {word.substr(0, at) + "x" + word.substr(at)};
      if (at < word.size()) {
        near.push_back(word.substr(0, at) + word.substr(at + 1));
        near.push_back(word);
        near.back()[at] ^= 0x20;
      }
      for (const std::string &other : near) {
        EXPECT_EQ(run(other + " ?"), 0);
        EXPECT_NE(lastRefusal().find("unknown command"), std::string::npos) << other;
      }
    }
  }
}

TEST_F(CommandInterpreterTest, InterfaceCommandsSetDynamicUpdateEditModeAndReportStatus) {
  EXPECT_EQ(run("DynamicUpdate 0"), 1);
  EXPECT_EQ(state_.dynamicUpdate, 0);
  EXPECT_EQ(run("DynamicUpdate 3"), 0);
  EXPECT_EQ(run("EditBones"), 1);
  EXPECT_EQ(state_.editMode, EditMode::kBones);
  EXPECT_EQ(run("EditObjects"), 1);
  EXPECT_EQ(state_.editMode, EditMode::kObjects);

  std::vector<std::pair<std::string, double>> seen;
  commands_.setStatusObserver([&](const StatusMessage &message) {
    seen.emplace_back(std::string(message.text), message.progress.value_or(-1));
  });
  EXPECT_EQ(run("StatusMsg {0.009901} Creating"), 1);
  EXPECT_EQ(run("StatusMsg Done"), 1);
  EXPECT_EQ(run("StatusMsg {1.5} Creating"), 0);
  EXPECT_EQ(lastRefusal(), "StatusMsg {1.5} Creating: progress out of range 0-1");
  EXPECT_EQ(run("StatusMsg {half} Creating"), 0);
  EXPECT_EQ(run("StatusMsg"), 0);
  EXPECT_EQ(seen, (std::vector<std::pair<std::string, double>>{{"Creating", 0.009901}, {"Done", -1}}));
}

TEST_F(CommandInterpreterTest, LogKeepsEveryTextWithItsResultAndCanBeSwitchedOff) {
  run("EditObjects");
  run("ItemColor 3");
  ASSERT_EQ(commands_.log().size(), 2u);
  EXPECT_EQ(commands_.log()[0].text, "EditObjects");
  EXPECT_TRUE(commands_.log()[0].accepted);
  EXPECT_FALSE(commands_.log()[1].accepted);
  EXPECT_EQ(commands_.log().texts(1), std::vector<std::string>{"ItemColor 3"});

  commands_.log().setEnabled(false);
  run("EditBones");
  run("Bogus");
  EXPECT_EQ(commands_.log().size(), 2u);
  EXPECT_EQ(commands_.commandCount(), 4u);
  ASSERT_EQ(commands_.rejections().size(), 2u);
  EXPECT_EQ(commands_.rejections()[1].command, 3u);
  EXPECT_EQ(commands_.rejections()[1].text, "Bogus");

  // Each rejection knows its own entry in the log, whatever went unlogged.
  EXPECT_EQ(commands_.rejections()[0].logEntry, 1u);
  EXPECT_EQ(commands_.rejections()[1].logEntry, Rejection::kNotLogged);
  commands_.log().setEnabled(true);
  run("Bogus 2");
  ASSERT_EQ(commands_.rejections().size(), 3u);
  EXPECT_EQ(commands_.rejections()[2].command, 4u);
  EXPECT_EQ(commands_.rejections()[2].logEntry, 2u);
  EXPECT_EQ(commands_.log()[2].text, "Bogus 2");
  EXPECT_EQ(commands_.log().refusedBetween(0, 3), 2u);
}

// A text carried out again is recognised by its form in the log and reuses
// what was read from it; what depends on the scene is decided afresh.
TEST_F(CommandInterpreterTest, RepeatedTextsActOnTheSceneAsItIsNow) {
  const ItemID object = scene_.addObject("Body");
  scene_.select(object);
  ASSERT_EQ(run("AddBone Bone_1"), 1);
  const ItemID bone = 0x40000000u;
  for (int round = 0; round < 3; ++round) {
    // The range of a visibility depends on the current item's type.
    scene_.select(object);
    EXPECT_EQ(run("ItemVisibility 5"), 1) << round;
    EXPECT_EQ(run("Position 1 -2.5 3"), 1);
    scene_.select(bone);
    EXPECT_EQ(run("ItemVisibility 5"), 0) << round;
    EXPECT_EQ(lastRefusal(), "ItemVisibility 5: visibility out of range 0-1");
    EXPECT_EQ(run("Position 1 -2.5 3"), 1);
    EXPECT_EQ(run("ItemColor x"), 0);
    EXPECT_EQ(lastRefusal(), "ItemColor x: colour is not an integer: 'x'");
    EXPECT_EQ(run("ItemColor 4 5"), 0);
    EXPECT_EQ(lastRefusal(), "ItemColor 4 5: unexpected argument '5'");
    EXPECT_EQ(run("UnseenByAlphaChannel 2"), 1);
    EXPECT_EQ(item(bone).alphaMode, 2);
    EXPECT_EQ(run("UnseenByAlphaChannel"), 1);
    EXPECT_EQ(item(bone).alphaMode, kAlphaUseSurface);
  }
  EXPECT_EQ(item(object).visibility, 5);
  EXPECT_EQ(item(bone).visibility, 1);
  for (const ItemID id : {object, bone}) {
    EXPECT_EQ(item(id).position[0], 1.0);
    EXPECT_EQ(item(id).position[1], -2.5);
    EXPECT_EQ(item(id).position[2], 3.0);
  }
  scene_.clearSelection();
  EXPECT_EQ(run("Position 1 -2.5 3"), 0);
  EXPECT_EQ(lastRefusal(), "Position 1 -2.5 3: no current item");
  EXPECT_EQ(commands_.log().size(), commands_.commandCount());
}

// Texts that share a form differ in their number, which each must keep; and
// once the log forgets its forms, a text is not taken for another that had
// its form before.
TEST_F(CommandInterpreterTest, TextsThatShareAFormAndALogClearedMidRun) {
  scene_.select(scene_.addObject("Body"));
  ASSERT_EQ(run("AddBone Bone_1"), 1);
  for (int colour = 0; colour < 3; ++colour) {
    ASSERT_EQ(run("ItemColor " + std::to_string(colour)), 1);
    ASSERT_EQ(run("AddChildBone Bone_" + std::to_string(colour + 2)), 1);
  }
  EXPECT_EQ(nameOf(0x40000003u), "Bone_4");
  EXPECT_EQ(item(0x40000002u).colour, 2);
  EXPECT_EQ(item(0x40000003u).colour, 8);  // a new bone's own colour

  ASSERT_EQ(run("BoneType 1"), 1);
  ASSERT_EQ(run("ItemColor 6"), 1);
  commands_.log().clear();
  ASSERT_EQ(run("ItemColor 3"), 1);  // the first form again, once "AddBone Bone_#"
  ASSERT_EQ(run("BoneType 0"), 1);
  ASSERT_EQ(run("BoneType 0"), 1);
  EXPECT_EQ(scene_.items(ItemType::kBone).size(), 4u);
  const Item &last = item(0x40000003u);
  EXPECT_EQ(last.colour, 3);
  EXPECT_EQ(last.boneType, 0);
  EXPECT_EQ(commands_.log().texts(), (std::vector<std::string>{"ItemColor 3", "BoneType 0", "BoneType 0"}));
}

// A host failure inside a command leaves that text unlogged; the texts after
// it, which share its form, still read back exactly.
TEST_F(CommandInterpreterTest, ATextThatThrowsLeavesTheLogWhole) {
  commands_.setStatusObserver([](const StatusMessage &message) {
    if (message.progress == 0.25) throw std::bad_alloc();
  });
  std::vector<std::string> logged;
  for (int step = 0; step < 300; ++step) {
    char text[64];
    std::snprintf(text, sizeof text, "StatusMsg {%.2f} Creating", step % 5 * 0.125);
    try {
      EXPECT_EQ(run(text), 1);
      logged.emplace_back(text);
    } catch (const std::bad_alloc &) {
      EXPECT_EQ(step % 5, 2);
    }
  }
  EXPECT_EQ(commands_.log().texts(), logged);
}

// With the log on, a text the log recognises skips the word's look-up and,
// when it repeats whole, reading its arguments; with the log off every text
// is read afresh. Random runs of texts that repeat, share forms, carry bad
// arguments and change the current item must come out the same both ways.
TEST(CommandInterpreterSameAnswers, RecognisedTextsDoWhatTextsReadAfreshDo) {
  static const char *const kTexts[] = {"AddBone Bone_%d",
                                       "AddChildBone Bone_%d",
                                       "AddNull Null %d",
                                       "SelectItem 4000000%d",
                                       "SelectItem 1000000%d",
                                       "AddToSelection 4000000%d",
                                       "ParentItem 4000000%d",
                                       "ItemColor %d",
                                       "ItemColor %d 1",
                                       "ItemVisibility %d",
                                       "ItemActive %d",
                                       "BoneType %d",
                                       "BoneRestLength 0.%d",
                                       "BoneStrength %d.5",
                                       "ItemIconScale %de-1",
                                       "Position %d 0.5 -1",
                                       "Position 1 %d",
                                       "UnseenByAlphaChannel %d",
                                       "UnseenByAlphaChannel",
                                       "CastShadow",
                                       "BoneStrengthMultiply",
                                       "StatusMsg {0.%d} Creating",
                                       "EditBones",
                                       "Itemcolor %d",
                                       "BoneType x%d",
                                       "DynamicUpdate %d"};
  std::mt19937 random(11);
  for (int run = 0; run < 20; ++run) {
    Scene scenes[2];
    InterfaceState states[2];
    CommandInterpreter on(scenes[0], states[0]), off(scenes[1], states[1]);
    off.log().setEnabled(false);
    for (Scene &scene : scenes) scene.select(scene.addObject("Body"));
    for (int step = 0; step < 400; ++step) {
      char text[64];
      std::snprintf(text, sizeof text, kTexts[random() % std::size(kTexts)], static_cast<int>(random() % 4));
      ASSERT_EQ(on.evaluate(text), off.evaluate(text)) << text;
    }
    ASSERT_EQ(on.rejections().size(), off.rejections().size());
    for (size_t i = 0; i < on.rejections().size(); ++i) {
      EXPECT_EQ(on.rejections()[i].message(), off.rejections()[i].message());
    }
    for (const ItemType type : {ItemType::kObject, ItemType::kBone}) {
      ASSERT_EQ(scenes[0].items(type).size(), scenes[1].items(type).size());
      for (size_t i = 0; i < scenes[0].items(type).size(); ++i) {
        const Item &a = scenes[0].items(type)[i], &b = scenes[1].items(type)[i];
        const auto fields = [](const Item &item) {
          return std::tuple(item.parent, item.owner, item.childCount, item.position[0], item.position[1],
                            item.position[2], item.restLength, item.strength, item.iconScale, item.flags,
                            item.visibility, item.colour, item.alphaMode, item.boneType);
        };
        EXPECT_EQ(fields(a), fields(b)) << i;
        EXPECT_EQ(scenes[0].name(a), scenes[1].name(b));
      }
    }
    EXPECT_EQ(scenes[0].current(), scenes[1].current());
    EXPECT_EQ(states[0].dynamicUpdate, states[1].dynamicUpdate);
  }
}

// The shape of a large bone run: each selected object gets a chain of bones.
TEST_F(CommandInterpreterTest, AThousandObjectsWithAThousandChainedBonesEach) {
  commands_.log().setEnabled(false);
  for (int o = 0; o < 1000; ++o) scene_.addObject("Object");
  for (int o = 0; o < 1000; ++o) {
    ASSERT_EQ(run("SelectItem " + hexId(makeItemId(ItemType::kObject, o))), 1);
    ASSERT_EQ(run("AddBone Bone_1"), 1);
    for (int b = 1; b < 1000; ++b) ASSERT_EQ(run("AddChildBone Bone"), 1);
  }
  EXPECT_EQ(scene_.items(ItemType::kBone).size(), 1000000u);
  EXPECT_EQ(item(0x400F423Fu).parent, 0x400F423Eu);
  EXPECT_TRUE(commands_.rejections().empty());
}

}  // namespace
}  // namespace layout

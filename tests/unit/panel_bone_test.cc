// The bone options panel: its call sequence at both sides of the icon build,
// the icon-mode event and the read-back.
#include <cmath>
#include <cstring>
#include <limits>

#include "panel_test_support.h"

namespace mint::testing {
namespace {

const Lines kBoneHead = calls(R"T(
lookup ContextMenuServices; lookup LWPanelServices; create "Mint_Joints"
menu create [18 145 menuItemCount menuItemName] context)T");

Lines boneOpen(int height) {
  return calls(
      "panel set data services; panel set key panelKey; panel set place placePanel; panel set mouse "
      "panelMouse;"
      "panel set w 314; panel set h " +
      std::to_string(height) + "; panel set y " + std::to_string(centredY()) +
      "; open panel 11; panel set x " + std::to_string(centredX()));
}

TEST_F(PanelTest, BonePanelCallSequenceFromBuild1447) {
  ASSERT_EQ(runBone(1447), 1);
  const Lines expected =
      concat({kBoneHead, kNamingRow, calls(R"T(
add #7 FloatControl [4] "Rest Length"; add #8 ChoiceControl [9 {def|val|auto} 0] "icon"
add #9 PercentControl [15 0 0 100] ""; add #10 PercentControl [15 0 0 100] "Strength"
add #11 BoolControl [8] "individual"; add #12 BoolControl [8] "Multiply Str by RestLength"
add #13 BoolControl [8] "joint Bone"
add #14 BorderControl [19 311 0] ""; add #15 BorderControl [19 311 0] ""; add #16 BorderControl [19 311 0] ""
#6 set x 8; #7 set x 161; #8 set x 103; #9 set x 223; #10 set x 180; #11 set x 5; #12 set x 5; #13 set x 5
#14 set x 3; #15 set x 3; #16 set x 3
#6 set y 57; #7 set y 57; #8 set y 108; #9 set y 108; #10 set y 79; #11 set y 28; #12 set y 79; #13 set y 108
#14 set y 22; #15 set y 51; #16 set y 102
#7 set w 151; #8 set w 120; #11 set w 92; #13 set w 92
#1 set value "Bone"/64; #2 set value "1"/8; #3 set value "1"/8
#5 set value 0; #4 set value 0; #6 set value 15; #11 set value 0; #12 set value 1
#8 set value 0; #13 set value 0; #9 set value 100; #7 set value 0.5; #10 set value 100)T"),
              kNamingWiring, calls("#8 set data #9; #8 set event iconModeEvent; #8 get value int; #9 draw 2"),
              boneOpen(166), calls(R"T(
#1 get value text/64; #2 get value text/8; #3 get value text/8; #7 get value float; #10 get value float
#4 get value int; #5 get value int; #6 get value int; #11 get value int; #12 get value int
#8 get value int; #13 get value int; #9 get value float)T"),
              kTeardown});
  EXPECT_EQ(joined(host.calls), joined(expected));
}

TEST_F(PanelTest, BonePanelCallSequenceBelowBuild1447) {
  // The activation's icon fields stay as they were.
  boneOptions.iconMode = 7;
  boneOptions.jointBone = 7;
  boneOptions.iconScale = 7.0;
  ASSERT_EQ(runBone(1446), 1);
  const Lines expected = concat({kBoneHead, kNamingRow, calls(R"T(
add #7 FloatControl [4] "Rest Length"; add #8 PercentControl [15 0 0 100] "Strength"
add #9 BoolControl [8] "individual"; add #10 BoolControl [8] "Multiply Str by RestLength"
add #11 BorderControl [19 311 0] ""; add #12 BorderControl [19 311 0] ""
#6 set x 8; #7 set x 161; #8 set x 180; #9 set x 5; #10 set x 5; #11 set x 3; #12 set x 3
#6 set y 57; #7 set y 57; #8 set y 79; #9 set y 28; #10 set y 79; #11 set y 22; #12 set y 51
#7 set w 151; #9 set w 92
#1 set value "Bone"/64; #2 set value "1"/8; #3 set value "1"/8
#5 set value 0; #4 set value 0; #6 set value 15; #9 set value 0; #10 set value 1
#7 set value 0.5; #8 set value 100)T"),
                                 kNamingWiring, boneOpen(142), calls(R"T(
#1 get value text/64; #2 get value text/8; #3 get value text/8; #7 get value float; #8 get value float
#4 get value int; #5 get value int; #6 get value int; #9 get value int; #10 get value int)T"),
                                 kTeardown});
  EXPECT_EQ(joined(host.calls), joined(expected));
  EXPECT_EQ(boneOptions.iconMode, 7);
  EXPECT_EQ(boneOptions.jointBone, 7);
  EXPECT_EQ(boneOptions.iconScale, 7.0);
}

TEST_F(PanelTest, IconModeEventGhostsPercentOutsideVal) {
  runBoneWith(1447, [](FakePanelHost &h) {
    FakeControl &icon = h.control("icon");
    FakeControl &percent = h.control(9);
    h.choose(icon, kIconModeValue);
    EXPECT_EQ(percent.drawMode, LAYOUT_DRAW_NORMAL);
    h.choose(icon, kIconModeAuto);
    EXPECT_EQ(percent.drawMode, LAYOUT_DRAW_GHOST);
    h.choose(icon, kIconModeValue);
    h.choose(icon, kIconModeDefault);
    EXPECT_EQ(percent.drawMode, LAYOUT_DRAW_GHOST);
  });
  iconModeEvent(nullptr, nullptr);  // no percentage control: nothing to draw
}

TEST_F(PanelTest, BoneReadBackScalesAndRemembers) {
  // Defaults: full strength and full icon percentage give factors of 1.
  ASSERT_EQ(runBone(1447), 1);
  EXPECT_EQ(boneOptions.strength, 1.0);
  EXPECT_EQ(boneOptions.iconScale, 1.0);
  EXPECT_EQ(boneOptions.multiplyStrength, 1);
  EXPECT_EQ(gOptionStore.word, 0xFF014800u);

  // "auto" takes the rest length as read; the store keeps it as a float.
  gOptionStore.word = 0x5AFFFFFFu;
  ASSERT_EQ(runBoneWith(1447,
                        [](FakePanelHost &h) {
                          h.control("Rest Length").real = 0.1;
                          h.control("Strength").real = 50.0;
                          h.control(9).real = 30.0;
                          h.choose(h.control("icon"), kIconModeAuto);
                          h.control("joint Bone").tags[LAYOUT_CTL_VALUE] = 1;
                          h.choose(h.control(kPrefixId), 5);
                          h.choose(h.control(kSuffixId), 14);
                          h.choose(h.control(kColourId), 2);
                          h.control("individual").tags[LAYOUT_CTL_VALUE] = 1;
                          h.control("Multiply Str by RestLength").tags[LAYOUT_CTL_VALUE] = 0;
                          h.edit(h.control(kNameId), "Spine");
                        }),
            1);
  EXPECT_EQ(boneOptions.iconScale, 0.1);
  EXPECT_EQ(gOptionStore.restLength, 0.1f);
  EXPECT_EQ(boneOptions.strength, 50.0 * 0.01);
  EXPECT_EQ(boneOptions.iconMode, kIconModeAuto);
  EXPECT_EQ(boneOptions.jointBone, 1);
  EXPECT_EQ(boneOptions.individual, 1);
  EXPECT_EQ(boneOptions.colourCode, 2);
  EXPECT_STREQ(gOptionStore.boneName, "Spine");
  // The null panel's bits 13-16 and 24-27 survive.
  EXPECT_EQ(gOptionStore.word, 0x2A01E45Eu);

  // The stored float comes back widened; icon mode and joint open at 0.
  ASSERT_EQ(runBoneWith(1447, [](FakePanelHost &h) { h.control(9).real = 25.0; }), 1);
  EXPECT_EQ(host.control("Rest Length").real, static_cast<double>(0.1f));
  EXPECT_EQ(host.control("icon").value(), 0);
  EXPECT_EQ(host.control("joint Bone").value(), 0);
  EXPECT_EQ(boneOptions.iconScale, 0.25);  // "def" still reads the ghosted percentage
}

TEST_F(PanelTest, BoneFloatFieldsNeverKeepANonFiniteValue) {
  const double inf = std::numeric_limits<double>::infinity();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double largestFloat = static_cast<double>(std::numeric_limits<float>::max());
  gOptionStore.restLength = 0.25f;
  // A NaN keeps the previous valid value: the stored rest length, 100%.
  ASSERT_EQ(runBoneWith(1447,
                        [&](FakePanelHost &h) {
                          h.control("Rest Length").real = nan;
                          h.control("Strength").real = nan;
                          h.control(9).real = nan;
                          h.choose(h.control("icon"), kIconModeValue);
                        }),
            1);
  EXPECT_EQ(gOptionStore.restLength, 0.25f);
  EXPECT_EQ(boneOptions.strength, 1.0);
  EXPECT_EQ(boneOptions.iconScale, 1.0);

  // Beyond the range, the largest finite value of the sign; the rest length
  // is stored as a float, and "auto" sizes the icon by the clamped length.
  for (const double read : {inf, 1e39}) {
    ASSERT_EQ(runBoneWith(1447,
                          [&](FakePanelHost &h) {
                            h.control("Rest Length").real = read;
                            h.control("Strength").real = -inf;
                            h.choose(h.control("icon"), kIconModeAuto);
                          }),
              1);
    EXPECT_EQ(gOptionStore.restLength, std::numeric_limits<float>::max());
    EXPECT_EQ(boneOptions.iconScale, largestFloat);
    EXPECT_TRUE(std::isfinite(boneOptions.strength));
    EXPECT_LT(boneOptions.strength, 0.0);
  }
  ASSERT_EQ(runBoneWith(1447, [&](FakePanelHost &h) { h.control("Rest Length").real = -inf; }), 1);
  EXPECT_EQ(gOptionStore.restLength, -std::numeric_limits<float>::max());
}

TEST_F(PanelTest, BoneCancelWritesNothingAndNumberingIsShared) {
  const OptionStore before = gOptionStore;
  EXPECT_EQ(runBoneWith(
                1447,
                [](FakePanelHost &h) {
                  h.edit(h.control(kNameId), "Changed");
                  h.control("Rest Length").real = 3.0;
                  h.choose(h.control(kSuffixId), 3);
                },
                0),
            0);
  EXPECT_EQ(0, std::memcmp(&before, &gOptionStore, sizeof before));
  EXPECT_EQ(boneOptions.strength, 0.0);

  // A suffix confirmed in the null panel is the bone panel's starting choice.
  runNullWith(1500, [](FakePanelHost &h) { h.choose(h.control(kSuffixId), 2); });
  runBone(1447);
  EXPECT_EQ(host.control(kSuffixId).value(), 2);
}

}  // namespace
}  // namespace mint::testing

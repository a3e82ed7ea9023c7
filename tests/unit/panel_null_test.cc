// The null options panel: its call sequence, initial values, read-back and the
// Parent effect.
#include "panel_test_support.h"

namespace mint::testing {
namespace {

const Lines kNullHead = calls(R"T(
lookup ContextMenuServices; lookup LWPanelServices; create "Mint_Pivots"
menu create [18 145 menuItemCount menuItemName] context)T");

const Lines kNullOpen =
    calls(R"T(
panel set data services; panel set key panelKey; panel set place placePanel; panel set mouse panelMouse
panel set w 314; panel set h 248; panel set y )T" +
          std::to_string(centredY()) + "; open panel 11; panel set x " + std::to_string(centredX()));

TEST_F(PanelTest, NullPanelCallSequenceFromBuild1166) {
  ASSERT_EQ(runNull(1500), 1);
  const Lines expected = concat({kNullHead, kNamingRow, calls(R"T(
add #7 PopupControl [9 {Hidden|Verticle} 70] "Vis"
add #8 BoolControl [8] "item Active"; add #9 BoolControl [8] "after Select"
add #10 BoolControl [8] "Parent (x)"; add #11 BoolControl [8] "local Zero"; add #12 BoolControl [8] "Hierarchy"
add #13 BoolControl [8] "Unseen by Radiosity"; add #14 BoolControl [8] "Unseen by Rays"
add #15 BoolControl [8] "Self Shadow"; add #16 BoolControl [8] "Unseen by Camera"
add #17 BoolControl [8] "Unaffected by Fog"; add #18 BoolControl [8] "Cast Shadow"
add #19 BoolControl [8] "Receive Shadow"
add #20 PopupControl [9 {Use Surface Settings|Unaffected by Objects|Constant Black} 0] "Alpha Channel"
add #21 BorderControl [19 311 0] ""; add #22 BorderControl [19 311 0] ""; add #23 BorderControl [19 311 0] ""
add #24 BorderControl [19 311 0] ""; add #25 BorderControl [19 311 0] ""
#7 set x 104; #11 set x 104; #6 set x 205; #12 set x 205
#13 set x 5; #14 set x 5; #15 set x 5; #8 set x 5; #9 set x 5; #10 set x 5; #20 set x 82
#16 set x 162; #17 set x 162; #18 set x 162; #19 set x 162
#21 set x 3; #22 set x 3; #23 set x 3; #24 set x 3; #25 set x 3
#9 set y 28; #20 set y 57; #21 set y 22; #22 set y 51; #23 set y 80
#14 set y 86; #16 set y 86; #13 set y 108; #17 set y 108; #24 set y 131
#15 set y 137; #18 set y 137; #19 set y 159; #25 set y 182
#8 set y 188; #7 set y 188; #6 set y 188; #10 set y 210; #11 set y 210; #12 set y 210
#8 set w 93; #9 set w 93; #10 set w 93; #11 set w 93; #12 set w 93
#13 set w 150; #14 set w 150; #15 set w 150; #16 set w 150; #17 set w 150; #18 set w 150; #19 set w 150
#1 set value "Null"/64; #2 set value "1"/8; #3 set value "1"/8
#5 set value 0; #4 set value 0; #6 set value 15
#8 set value 0; #9 set value 1; #10 set value 0; #11 set value 1
#20 set value 1; #13 set value 1; #14 set value 1; #16 set value 1; #17 set value 1; #7 set value 1
#15 set value 0; #18 set value 0; #19 set value 0; #12 set value 0
#10 get value int; #11 draw 2; #12 draw 2)T"),
                                 kNamingWiring, calls("#10 set data &activeBool; #10 set event parentEffect"),
                                 kNullOpen, calls(R"T(
#20 get value int; #13 get value int; #14 get value int; #15 get value int
#16 get value int; #17 get value int; #18 get value int; #19 get value int
#1 get value text/64; #2 get value text/8; #3 get value text/8
#4 get value int; #5 get value int; #6 get value int
#8 get value int; #9 get value int; #10 get value int; #11 get value int; #7 get value int)T"),
                                 kTeardown});
  EXPECT_EQ(joined(host.calls), joined(expected));
}

// Below build 599 the alpha channel is a check box, and below 1166 there is no
// radiosity box.
TEST_F(PanelTest, NullPanelCallSequenceBelowBuild599) {
  ASSERT_EQ(runNull(598), 1);
  const Lines expected = concat({kNullHead, kNamingRow, calls(R"T(
add #7 PopupControl [9 {Hidden|Verticle} 70] "Vis"
add #8 BoolControl [8] "item Active"; add #9 BoolControl [8] "after Select"
add #10 BoolControl [8] "Parent (x)"; add #11 BoolControl [8] "local Zero"; add #12 BoolControl [8] "Hierarchy"
add #13 BoolControl [8] "Unseen by Rays"; add #14 BoolControl [8] "Self Shadow"
add #15 BoolControl [8] "Unseen by Camera"; add #16 BoolControl [8] "Unaffected by Fog"
add #17 BoolControl [8] "Cast Shadow"; add #18 BoolControl [8] "Receive Shadow"
add #19 BoolControl [8] "Unseen by Alpha Channel"
add #20 BorderControl [19 311 0] ""; add #21 BorderControl [19 311 0] ""; add #22 BorderControl [19 311 0] ""
add #23 BorderControl [19 311 0] ""; add #24 BorderControl [19 311 0] ""
#7 set x 104; #11 set x 104; #6 set x 205; #12 set x 205
#13 set x 5; #14 set x 5; #8 set x 5; #9 set x 5; #10 set x 5; #19 set x 5
#15 set x 162; #16 set x 162; #17 set x 162; #18 set x 162
#20 set x 3; #21 set x 3; #22 set x 3; #23 set x 3; #24 set x 3
#9 set y 28; #19 set y 57; #20 set y 22; #21 set y 51; #22 set y 80
#13 set y 86; #15 set y 86; #16 set y 108; #23 set y 131
#14 set y 137; #17 set y 137; #18 set y 159; #24 set y 182
#8 set y 188; #7 set y 188; #6 set y 188; #10 set y 210; #11 set y 210; #12 set y 210
#8 set w 93; #9 set w 93; #10 set w 93; #11 set w 93; #12 set w 93; #19 set w 150
#13 set w 150; #14 set w 150; #15 set w 150; #16 set w 150; #17 set w 150; #18 set w 150
#1 set value "Null"/64; #2 set value "1"/8; #3 set value "1"/8
#5 set value 0; #4 set value 0; #6 set value 15
#8 set value 0; #9 set value 1; #10 set value 0; #11 set value 1
#19 set value 1; #13 set value 1; #15 set value 1; #16 set value 1; #7 set value 1
#14 set value 0; #17 set value 0; #18 set value 0; #12 set value 0
#10 get value int; #11 draw 2; #12 draw 2)T"),
                                 kNamingWiring, calls("#10 set data &activeBool; #10 set event parentEffect"),
                                 kNullOpen, calls(R"T(
#19 get value int; #13 get value int; #14 get value int; #15 get value int
#16 get value int; #17 get value int; #18 get value int
#1 get value text/64; #2 get value text/8; #3 get value text/8
#4 get value int; #5 get value int; #6 get value int
#8 get value int; #9 get value int; #10 get value int; #11 get value int; #7 get value int)T"),
                                 kTeardown});
  EXPECT_EQ(joined(host.calls), joined(expected));
  // Without the radiosity box the flag is cleared before the panel opens.
  EXPECT_EQ(nullOptions.unseenByRadiosity, 0);
  EXPECT_EQ(nullOptions.alphaMode, 1);
}

TEST_F(PanelTest, NullReadBackFillsRecordAndWord) {
  // Untouched panel: the record holds the defaults and the word is unchanged.
  ASSERT_EQ(runNull(1500), 1);
  EXPECT_EQ(gOptionStore.word, 0xFF014800u);
  const NullOptions &o = nullOptions;
  EXPECT_EQ(o.count, 1);
  EXPECT_EQ(o.startNumber, 1);
  EXPECT_EQ(o.colourCode, 15);
  EXPECT_EQ(o.visibility, 1);
  EXPECT_EQ(o.selectAfter, 1);
  EXPECT_EQ(o.localZero, 1);
  EXPECT_EQ(o.alphaMode, 1);
  EXPECT_EQ(o.unseenByRadiosity + o.unseenByRays + o.unseenByCamera + o.unaffectedByFog, 4);
  EXPECT_EQ(o.selfShadow + o.castShadow + o.receiveShadow, 0);

  // Edited panel: bone bits 8-12 and 28-31 survive, 17-23 are cleared.
  gOptionStore.word = 0xA0FE1F00u;
  ASSERT_EQ(runNullWith(1500,
                        [](FakePanelHost &h) {
                          h.edit(h.control(kNameId), "Pivot");
                          h.choose(h.control(kPrefixId), 2);
                          h.choose(h.control(kSuffixId), 7);
                          h.choose(h.control(kColourId), 3);
                          h.control("item Active").tags[LAYOUT_CTL_VALUE] = 1;
                          h.control("after Select").tags[LAYOUT_CTL_VALUE] = 0;
                          h.control("Parent (x)").tags[LAYOUT_CTL_VALUE] = 1;
                          h.control("Hierarchy").tags[LAYOUT_CTL_VALUE] = 1;
                          h.control("Vis").tags[LAYOUT_CTL_VALUE] = 0;
                          h.control("Cast Shadow").tags[LAYOUT_CTL_VALUE] = 1;
                          h.edit(h.control(kCountId), "25");
                          h.edit(h.control(kStartId), "0");
                        }),
            1);
  EXPECT_STREQ(gOptionStore.nullName, "Pivot");
  EXPECT_EQ(gOptionStore.word, 0xA300BF27u);
  EXPECT_EQ(o.prefixCode, 2);
  EXPECT_EQ(o.suffixCode, 7);
  EXPECT_EQ(o.count, 25);
  EXPECT_EQ(o.startNumber, 0);
  EXPECT_EQ(o.parent, 1);
  EXPECT_EQ(o.hierarchy, 1);
  EXPECT_EQ(o.visibility, 0);
  EXPECT_EQ(o.castShadow, 1);
  // The next opening remembers "Parent (x)" but not "Hierarchy".
  ASSERT_EQ(runNull(1500), 1);
  EXPECT_EQ(host.control("Parent (x)").value(), 1);
  EXPECT_EQ(host.control("Hierarchy").value(), 0);
  EXPECT_EQ(host.control(kNameId).text, "Pivot");
}

TEST_F(PanelTest, NullHierarchyCountsOnlyUnderAParent) {
  ASSERT_EQ(runNullWith(1500, [](FakePanelHost &h) { h.control("Hierarchy").tags[LAYOUT_CTL_VALUE] = 1; }),
            1);
  EXPECT_EQ(nullOptions.hierarchy, 0);
  EXPECT_EQ(nullOptions.localZero, 1);
}

TEST_F(PanelTest, NullCancelWritesNothing) {
  const OptionStore before = gOptionStore;
  EXPECT_EQ(runNullWith(
                1165,
                [](FakePanelHost &h) {
                  h.edit(h.control(kNameId), "Changed");
                  h.choose(h.control(kSuffixId), 3);
                  h.control("item Active").tags[LAYOUT_CTL_VALUE] = 1;
                },
                0),
            0);
  EXPECT_STREQ(gOptionStore.nullName, before.nullName);
  EXPECT_EQ(gOptionStore.word, before.word);
  EXPECT_EQ(nullOptions.hostBuild, 1165);
  EXPECT_EQ(nullOptions.count, 0);
  EXPECT_FALSE(host.hasControl("Unseen by Radiosity"));
}

TEST_F(PanelTest, ParentEffectGhostsWithoutChangingValues) {
  runNullWith(1500, [](FakePanelHost &h) {
    FakeControl &parent = h.control("Parent (x)");
    FakeControl &zero = h.control("local Zero");
    FakeControl &hierarchy = h.control("Hierarchy");
    EXPECT_EQ(zero.drawMode, LAYOUT_DRAW_GHOST);
    EXPECT_EQ(hierarchy.drawMode, LAYOUT_DRAW_GHOST);
    h.choose(parent, 1);
    EXPECT_EQ(zero.drawMode, LAYOUT_DRAW_NORMAL);
    EXPECT_EQ(hierarchy.drawMode, LAYOUT_DRAW_NORMAL);
    h.choose(parent, 0);
    EXPECT_EQ(zero.drawMode, LAYOUT_DRAW_GHOST);
    EXPECT_EQ(hierarchy.drawMode, LAYOUT_DRAW_GHOST);
    EXPECT_EQ(zero.value(), 1);
    EXPECT_EQ(hierarchy.value(), 0);
  });
  // Remembered "Parent (x)" opens them usable.
  gOptionStore.word |= 1u << kWordParentShift;
  runNull(1500);
  EXPECT_EQ(host.control("local Zero").drawMode, LAYOUT_DRAW_NORMAL);
  // Without user data the effect does nothing.
  parentEffect(nullptr, nullptr);
}

}  // namespace
}  // namespace mint::testing

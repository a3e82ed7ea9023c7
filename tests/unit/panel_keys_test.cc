// Single-key shortcuts of both panels.
#include "panel_test_support.h"

namespace mint::testing {
namespace {

// Presses a key and returns the calls it made; expects it to be handled.
Lines press(FakePanelHost &h, uint32_t key, int32_t qualifiers = 0) {
  const size_t mark = h.mark();
  EXPECT_EQ(h.key(key, qualifiers), 1) << key;
  return h.since(mark);
}

TEST_F(PanelTest, KeysSharedByBothPanels) {
  runNullWith(1500, [](FakePanelHost &h) {
    EXPECT_EQ(press(h, '0'), Lines{"#2 set value \"10\"/8"});
    EXPECT_EQ(press(h, '7'), Lines{"#2 set value \"7\"/8"});
    EXPECT_EQ(press(h, 0x09), Lines{"#1 set activate 0"});
    EXPECT_EQ(press(h, 'n'), Lines{"#2 set activate 0"});
    EXPECT_EQ(press(h, 0x0D), Lines{"close panel"});
    EXPECT_EQ(press(h, 'd'), Lines{"close panel"});
    FakeControl &colour = h.control(kColourId);
    colour.tags[LAYOUT_CTL_VALUE] = 14;
    press(h, 'c');
    EXPECT_EQ(colour.value(), 15);
    press(h, 'c');
    EXPECT_EQ(colour.value(), 0);
    EXPECT_EQ(press(h, 'C'), (Lines{"#6 set value 15"}));
    for (uint32_t key : {'E', 'R', 'Q', 'W'}) {
      FakeControl &popup = h.control(key == 'E' || key == 'R' ? kSuffixId : kPrefixId);
      popup.tags[LAYOUT_CTL_VALUE] = 9;
      press(h, key);
      EXPECT_EQ(popup.value(), 0) << key;
    }
    // Only the low 16 bits count.
    h.control("item Active").tags[LAYOUT_CTL_VALUE] = 0;
    press(h, 0x70061);
    EXPECT_EQ(h.control("item Active").value(), 1);
    // Case matters, and keys outside the table are not handled.
    const size_t mark = h.mark();
    for (uint32_t key : {0x41u, 0x42u, 0x53u, 0x5Au, 0x69u, 0x20u, 0x1014u}) EXPECT_EQ(h.key(key), 0) << key;
    EXPECT_TRUE(h.since(mark).empty());
  });
}

TEST_F(PanelTest, NumberingKeysSkipSeparators) {
  const std::vector<intptr_t> forward = {1, 2, 3, 5, 6, 7, 9, 10, 11, 13, 14, 15, 0};
  const std::vector<intptr_t> backward = {15, 14, 13, 11, 10, 9, 7, 6, 5, 3, 2, 1, 0};
  runBoneWith(1447, [&](FakePanelHost &h) {
    struct Keys {
      int id;
      uint32_t next, previous;
    };
    for (const Keys k : {Keys{kSuffixId, 'e', 'r'}, Keys{kPrefixId, 'q', 'w'}}) {
      FakeControl &popup = h.control(k.id);
      popup.tags[LAYOUT_CTL_VALUE] = 0;
      std::vector<intptr_t> seen;
      for (size_t i = 0; i < forward.size(); ++i) seen.push_back((press(h, k.next), popup.value()));
      EXPECT_EQ(seen, forward) << k.next;
      seen.clear();
      for (size_t i = 0; i < backward.size(); ++i) seen.push_back((press(h, k.previous), popup.value()));
      EXPECT_EQ(seen, backward) << k.previous;
    }
  });
}

TEST_F(PanelTest, ArrowKeysStepTheCount) {
  constexpr int32_t kLarge = LAYOUT_QUALIFIER_STEP;
  struct Step {
    const char *count;
    uint32_t key;
    int32_t qualifiers;
    const char *result;
  };
  const Step steps[] = {
      {"995", LAYOUT_KEY_RIGHT, 0, "1000"},
      {"989", LAYOUT_KEY_RIGHT, 0, "999"},
      {"11", LAYOUT_KEY_LEFT, 0, "1"},
      {"12", LAYOUT_KEY_LEFT, 0, "2"},
      {"1000", LAYOUT_KEY_UP, 0, "1000"},
      {"999", LAYOUT_KEY_UP, 0, "1000"},
      {"1", LAYOUT_KEY_DOWN, 0, "1"},
      {"2", LAYOUT_KEY_DOWN, 0, "1"},
      {"150", LAYOUT_KEY_LEFT, kLarge, "50"},
      {"101", LAYOUT_KEY_LEFT, kLarge, "1"},
      {"100", LAYOUT_KEY_LEFT, kLarge, "1"},
      {"900", LAYOUT_KEY_RIGHT, kLarge, "1000"},
      {"899", LAYOUT_KEY_RIGHT, kLarge, "999"},
      {"150", LAYOUT_KEY_UP, kLarge, "150"},
      {"0150", LAYOUT_KEY_DOWN, kLarge, "150"},
      {"150", LAYOUT_KEY_LEFT, 1 | 4, "140"},
      {"x", LAYOUT_KEY_UP, 0, "1"},
      {"-50", LAYOUT_KEY_RIGHT, 0, "-40"},
  };
  runNullWith(1500, [&](FakePanelHost &h) {
    for (const Step &s : steps) {
      h.control(kCountId).text = s.count;
      EXPECT_EQ(press(h, s.key, s.qualifiers), (Lines{"panel get qualifiers", "#2 get value text/8",
                                                      std::string("#2 set value \"") + s.result + "\"/8"}))
          << s.count << " key " << s.key << " qualifiers " << s.qualifiers;
    }
  });
}

TEST_F(PanelTest, NullPanelLetters) {
  runNullWith(1500, [](FakePanelHost &h) {
    FakeControl &zero = h.control("local Zero");
    FakeControl &hierarchy = h.control("Hierarchy");
    press(h, 'a');
    EXPECT_EQ(h.control("item Active").value(), 1);
    press(h, 's');
    EXPECT_EQ(h.control("after Select").value(), 0);
    press(h, 'v');
    EXPECT_EQ(h.control("Vis").value(), 0);
    // Without "Parent (x)" the parenting boxes stay as they are.
    EXPECT_EQ(press(h, 'h'), Lines{"#10 get value int"});
    EXPECT_EQ(press(h, 'z'), Lines{"#10 get value int"});
    EXPECT_EQ(press(h, 'x'), (Lines{"#10 get value int", "#10 set value 1", "#10 get value int", "#11 draw 1",
                                    "#12 draw 1"}));
    press(h, 'h');
    press(h, 'z');
    EXPECT_EQ(hierarchy.value(), 1);
    EXPECT_EQ(zero.value(), 0);
    press(h, 'x');
    EXPECT_EQ(zero.drawMode, LAYOUT_DRAW_GHOST);
    // Bone-panel letters are handled and do nothing here.
    EXPECT_TRUE(press(h, 'b').empty());
    EXPECT_TRUE(press(h, 'm').empty());
  });
}

TEST_F(PanelTest, BonePanelLetters) {
  runBoneWith(1447, [](FakePanelHost &h) {
    press(h, 'a');
    EXPECT_EQ(h.control("individual").value(), 1);
    press(h, 'm');
    EXPECT_EQ(h.control("Multiply Str by RestLength").value(), 0);
    press(h, 'b');
    EXPECT_EQ(h.control("joint Bone").value(), 1);
    // "s" cycles def, val, auto and ghosts the percentage outside "val".
    EXPECT_EQ(press(h, 's'), (Lines{"#8 get value int", "#8 set value 1", "#8 get value int", "#9 draw 1"}));
    press(h, 's');
    EXPECT_EQ(h.control("icon").value(), 2);
    EXPECT_EQ(h.control(9).drawMode, LAYOUT_DRAW_GHOST);
    press(h, 's');
    EXPECT_EQ(h.control("icon").value(), 0);
    for (uint32_t key : {'h', 'v', 'x', 'z'}) EXPECT_TRUE(press(h, key).empty()) << key;
  });
  // Below the icon build "s" and "b" have nothing to act on.
  runBoneWith(1446, [](FakePanelHost &h) {
    EXPECT_TRUE(press(h, 's').empty());
    EXPECT_TRUE(press(h, 'b').empty());
  });
  EXPECT_EQ(panelKey(nullptr, nullptr, 'd'), 0);
}

}  // namespace
}  // namespace mint::testing

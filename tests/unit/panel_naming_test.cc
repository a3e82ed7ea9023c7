// The naming row's event rules: numbering popups, the name field and the
// count and start fields.
#include <cstring>

#include "panel_test_support.h"

namespace mint::testing {
namespace {

TEST_F(PanelTest, NumberingPopupFallsBackFromSeparators) {
  runNullWith(1500, [](FakePanelHost &h) {
    for (int id : {kPrefixId, kSuffixId}) {
      FakeControl &popup = h.control(id);
      for (int separator : {4, 8, 12, 0}) {
        const size_t mark = h.mark();
        h.choose(popup, separator);
        EXPECT_EQ(popup.value(), 0);
        const std::string name = "#" + std::to_string(id);
        EXPECT_EQ(h.since(mark), (Lines{name + " get value int", name + " set value 0"}));
      }
      for (int code : {1, 7, 13, 15}) {
        const size_t mark = h.mark();
        h.choose(popup, code);
        EXPECT_EQ(popup.value(), code);
        EXPECT_EQ(h.since(mark).size(), 1u);  // read, not rewritten
      }
    }
  });
  EXPECT_EQ(nullOptions.prefixCode, 15);
  EXPECT_EQ(nullOptions.suffixCode, 15);
}

TEST_F(PanelTest, EmptyNameGetsThePanelsDefault) {
  std::strcpy(gOptionStore.nullName, "Remembered");
  runNullWith(1500, [](FakePanelHost &h) {
    size_t mark = h.mark();
    h.edit(h.control(kNameId), "");
    EXPECT_EQ(h.since(mark), (Lines{"#1 get value text/65", "#1 set value \"Null\"/65"}));
    mark = h.mark();
    h.edit(h.control(kNameId), "Kept");
    EXPECT_EQ(h.since(mark), Lines{"#1 get value text/65"});
  });
  EXPECT_STREQ(gOptionStore.nullName, "Kept");
  runBoneWith(1447, [](FakePanelHost &h) { h.edit(h.control(kNameId), ""); });
  EXPECT_STREQ(gOptionStore.boneName, "Bone");
  nameEvent(nullptr, nullptr);  // no context: nothing to restore
}

TEST_F(PanelTest, NumberFieldsClampToTheirRange) {
  struct Entry {
    int id;
    const char *typed;
    const char *shown;
  };
  const Entry entries[] = {
      {kCountId, "0", "1"},       {kCountId, "abc", "1"},         {kCountId, "2500", "1000"},
      {kCountId, "-4", "1"},      {kCountId, "12ab", "12"},       {kCountId, "007", "7"},
      {kCountId, " +9", "9"},     {kCountId, "12345678", "1000"},  // read as 1234567
      {kStartId, "0", "0"},       {kStartId, "-4", "0"},          {kStartId, "abc", "0"},
      {kStartId, "1001", "1000"}, {kStartId, "1000", "1000"},
  };
  runNullWith(1500, [&](FakePanelHost &h) {
    for (const Entry &e : entries) {
      const size_t mark = h.mark();
      h.edit(h.control(e.id), e.typed);
      const std::string name = "#" + std::to_string(e.id);
      EXPECT_EQ(h.since(mark), (Lines{name + " get value text/8", name + " set value \"" + e.shown + "\"/8"}))
          << e.typed;
    }
  });
  EXPECT_EQ(nullOptions.count, 1000);
  EXPECT_EQ(nullOptions.startNumber, 1000);
}

}  // namespace
}  // namespace mint::testing

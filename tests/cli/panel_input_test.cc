// What users type for keys and controls, and what it becomes.
#include <gtest/gtest.h>

#include "host/panels/panel_view.h"
#include "tools/cli_error.h"
#include "tools/control_input.h"
#include "tools/key_names.h"

namespace sim {
namespace {

std::string errorOf(const std::function<void()> &work) {
  try {
    work();
  } catch (const CliError &error) {
    return error.what();
  }
  return "";
}

TEST(KeyNames, NamesCharactersCodesAndShift) {
  struct Case {
    const char *name;
    uint32_t code;
    uint32_t qualifiers;
  };
  for (const Case &c :
       {Case{"Enter", 0x0D, 0}, Case{"enter", 0x0D, 0}, Case{"Tab", 0x09, 0}, Case{"Left", 0x1010, 0},
        Case{"shift+Down", 0x1013, 2}, Case{"SHIFT+right", 0x1011, 2}, Case{"c", 'c', 0}, Case{"C", 'C', 0},
        Case{"+", '+', 0}, Case{"shift++", '+', 2}, Case{"0x1012", 0x1012, 0}}) {
    const KeyPress key = parseKey(c.name);
    EXPECT_EQ(key.code, c.code) << c.name;
    EXPECT_EQ(key.qualifiers, c.qualifiers) << c.name;
  }
  EXPECT_NE(errorOf([] { parseKey("Entr"); }).find("did you mean \"Enter\"?"), std::string::npos);
  EXPECT_NE(errorOf([] { parseKey("ctrl+c"); }).find("unknown qualifier \"ctrl\""), std::string::npos);
  EXPECT_NE(errorOf([] { parseKey("0x10000"); }).find("0x0 to 0xFFFF"), std::string::npos);
  EXPECT_NE(errorOf([] { parseKey(""); }).find("missing key name"), std::string::npos);
}

layout::ControlView popup(std::vector<std::string> items) {
  layout::ControlView control;
  control.type = "PopupControl";
  control.items = std::move(items);
  return control;
}

TEST(ControlInput, PopupEntriesByIndexOrShownText) {
  const layout::ControlView suffix = popup({"Suffix", " +_n", " + n", " +n ", "\x03(c:Nc_BG)------",
                                            "\x03(c:Nc_BG)------", "\x03(i:140,157) Purple"});
  auto index = [&](const char *typed) { return std::get<int64_t>(controlInput(suffix, "suffix", typed)); };
  EXPECT_EQ(index("2"), 2);
  EXPECT_EQ(index(" +_n"), 1);  // as the list has it
  EXPECT_EQ(index("+_n"), 1);   // blanks around do not matter
  EXPECT_EQ(index("+ n"), 2);   // blanks inside do
  EXPECT_EQ(index("+n"), 3);
  EXPECT_EQ(index("purple"), 6);  // nor does case, once the text is unique
  EXPECT_NE(errorOf([&] { index("------"); }).find("shows \"------\" 2 times; choose one by index"),
            std::string::npos);
  EXPECT_NE(errorOf([&] { index("7"); }).find("has entries 0 to 6, not 7"), std::string::npos);
  EXPECT_NE(errorOf([&] { index("Purpel"); }).find("did you mean \"Purple\"?"), std::string::npos);
}

TEST(ControlInput, CheckBoxesNumbersAndText) {
  layout::ControlView box;
  box.type = "BoolControl";
  for (const char *on : {"on", "ON", "1", "true", "yes"})
    EXPECT_EQ(std::get<int64_t>(controlInput(box, "b", on)), 1);
  for (const char *off : {"off", "0", "false", "no"})
    EXPECT_EQ(std::get<int64_t>(controlInput(box, "b", off)), 0);
  EXPECT_NE(errorOf([&] { controlInput(box, "b", "maybe"); }).find("is on or off"), std::string::npos);

  layout::ControlView percent;
  percent.type = "PercentControl";
  EXPECT_EQ(std::get<double>(controlInput(percent, "Strength", "50%")), 50.0);
  EXPECT_EQ(std::get<double>(controlInput(percent, "Strength", " 12.5 ")), 12.5);
  EXPECT_NE(errorOf([&] { controlInput(percent, "Strength", "lots"); }).find("takes a number"),
            std::string::npos);

  layout::ControlView text;
  text.type = "EditControl";
  EXPECT_EQ(std::get<std::string>(controlInput(text, "name", " two words ")), " two words ");
  EXPECT_NE(errorOf([&] { controlInput(text, "name", "a\nb"); }).find("holds one line"), std::string::npos);
}

}  // namespace
}  // namespace sim

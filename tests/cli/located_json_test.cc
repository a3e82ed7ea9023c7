// Where the located JSON reader says values and keys are: every place is
// derived from where the parser had read to, so tokens that need a character
// of lookahead (numbers) and nesting are where it can go wrong.
#include "tools/located_json.h"

#include <gtest/gtest.h>

#include "tools/cli_error.h"

namespace sim {
namespace {

std::string at(const LocatedJson &json, const Location &where) {
  const layout::TextPosition position = json.position(where);
  return std::to_string(position.line) + ":" + std::to_string(position.column);
}

TEST(LocatedJson, PlacesOfValuesAndKeys) {
  const LocatedJson json(
      "{\"a\": 12, \"b\": [1,2 , [3]],\n"
      " \"c\": {\"d\": -4.5e1}, \"e\"  :  \"x\\\"y\",\n"
      "\t\"f\": [true,false,null], \"\xC3\xA9\": 7}",
      "t.json");
  EXPECT_EQ(at(json, json.valueAt("")), "1:1");
  EXPECT_EQ(at(json, json.keyAt("/a")), "1:2");
  EXPECT_EQ(at(json, json.valueAt("/a")), "1:7");
  EXPECT_EQ(at(json, json.valueAt("/b")), "1:16");
  EXPECT_EQ(at(json, json.valueAt("/b/0")), "1:17");
  EXPECT_EQ(at(json, json.valueAt("/b/1")), "1:19");
  EXPECT_EQ(at(json, json.valueAt("/b/2")), "1:23");
  EXPECT_EQ(at(json, json.valueAt("/b/2/0")), "1:24");
  EXPECT_EQ(at(json, json.keyAt("/c")), "2:2");
  EXPECT_EQ(at(json, json.valueAt("/c/d")), "2:13");
  EXPECT_EQ(at(json, json.keyAt("/e")), "2:22");
  EXPECT_EQ(at(json, json.valueAt("/e")), "2:30");
  EXPECT_EQ(at(json, json.valueAt("/f/1")), "3:13");
  EXPECT_EQ(at(json, json.valueAt("/f/2")), "3:19");
  // Columns count characters: "é" is two bytes but one column.
  EXPECT_EQ(at(json, json.keyAt("/\xC3\xA9")), "3:26");
  EXPECT_EQ(at(json, json.valueAt("/\xC3\xA9")), "3:31");
  EXPECT_EQ(json.root().at("e"), "x\"y");
  EXPECT_EQ(json.root().at("c").at("d"), -45.0);
}

TEST(LocatedJson, SyntaxErrorsAndCaretsAreLocated) {
  try {
    LocatedJson("{\"steps\": [\n  \"open", "s.json");
    FAIL() << "no error";
  } catch (const CliError &error) {
    EXPECT_EQ(error.exitCode(), kExitBadInput);
    EXPECT_EQ(std::string(error.what()).rfind("s.json:2:8: syntax error while parsing value", 0), 0u)
        << error.what();
  }
  // The caret line keeps tabs and counts characters, so it lines up on screen.
  const LocatedJson json("{\n\t\"\xC3\xA9t\xC3\xA9\": \"x\"}\n", "t.json");
  EXPECT_EQ(json.located(json.valueAt("/\xC3\xA9t\xC3\xA9"), "bad"),
            "t.json:2:9: bad\n  \t\"\xC3\xA9t\xC3\xA9\": \"x\"}\n  \t       ^");
}

}  // namespace
}  // namespace sim

namespace sim {
namespace {

TEST(LocatedJson, NestingPastTheLimitIsRefusedWhereItGoesTooDeep) {
  const std::string deep = "{\"steps\": " + std::string(300, '[') + std::string(300, ']') + "}";
  try {
    LocatedJson(deep, "deep.json");
    FAIL() << "no error";
  } catch (const CliError &error) {
    EXPECT_EQ(std::string(error.what()), "deep.json:1:266: nested deeper than 256 levels\n  " + deep +
                                             "\n  " + std::string(265, ' ') + "^");
  }
  // A flat file of many steps reads in one pass (it took minutes when every
  // place was recorded from the start of the text).
  std::string flat = "{\"steps\": [";
  for (int i = 0; i < 50000; ++i) flat += "{\"save\": \"x.json\"},\n";
  flat += "{\"save\": \"x.json\"}]}";
  const LocatedJson json(flat, "flat.json");
  EXPECT_EQ(json.position(json.valueAt("/steps/50000/save")).line, 50001);
}

}  // namespace
}  // namespace sim

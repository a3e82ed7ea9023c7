// layout-sim session: steps in one host, choices remembered between runs,
// and bad session files shown where they are wrong.
#include <filesystem>
#include <string>

#include "layout_sim.h"

namespace sim::cli_test {
namespace {

using Session = LayoutSim;
constexpr auto npos = std::string::npos;

TEST_F(Session, AConfirmedChoiceCarriesToTheNextRun) {
  write("two-runs.json", R"({"steps": [
    {"run": "Mint_Pivots", "actions": [{"set": "name=Loc"}, {"set": "suffix=+_n"}]},
    {"run": "Mint_Pivots"},
    {"run": "Mint_Pivots", "actions": [{"set": "name=Gone"}, "cancel"]},
    {"run": "Mint_Pivots"}
  ]})");
  const Result r = run({"session", "two-runs.json"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(countLines(r.out, "  ok  AddNull Loc_1"), 3) << r.out;
  EXPECT_EQ(countLines(r.out, "Cancelled: no command was sent."), 1);
  EXPECT_EQ(countLines(r.out, "Gone"), 0);

  // Separate runs are separate hosts: nothing is remembered.
  ASSERT_EQ(run({"run", "Mint_Pivots", "--set", "name=Loc"}).status, 0);
  EXPECT_NE(run({"run", "Mint_Pivots"}).out.find("  ok  AddNull Null\n"), npos);
}

TEST_F(Session, ARestLengthBeyondTheFloatRangeIsNotRemembered) {
  write("huge.json", R"({"steps": [
    {"run": "Mint_Joints", "select": ["Spine"], "actions": [{"set": "Rest Length=1e39"}]},
    {"run": "Mint_Joints", "select": ["Spine"], "actions": [{"set": "Rest Length=nan"}]},
    {"run": "Mint_Joints", "select": ["Spine"]}
  ]})");
  const Result r = run({"session", "huge.json"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(countLines(r.out, "  ok  BoneRestLength 3.40282e+38"), 3) << r.out;
  EXPECT_EQ(countLines(r.out, "REJECTED"), 0);
}

TEST_F(Session, TheDemoSessionBuildsAndSavesItsRig) {
  std::filesystem::copy_file(EXAMPLES_DIR "/demo-session.json", path("demo-session.json"));
  const Result r = run({"session", "demo-session.json"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("AddChildBone Tail_01"), npos) << r.out;
  EXPECT_NE(r.out.find("AddNull Pivot_06"), npos) << r.out;
  EXPECT_TRUE(exists("out/demo-rig.json"));
  EXPECT_TRUE(exists("out/tail-commands.txt"));
}

// The first line of a located message and its caret line, as printed.
struct Located {
  std::string message;
  std::string caret;
};

Located locatedError(const std::string &err) {
  const size_t first = err.find('\n');
  const size_t second = err.find('\n', first + 1);
  const size_t third = err.find('\n', second + 1);
  if (third == npos) return {err, ""};
  return {err.substr(0, first), err.substr(second + 1, third - second - 1)};
}

TEST_F(Session, BadSessionFilesAreShownWhereTheyAreWrong) {
  struct Case {
    const char *text;
    const char *message;  // the first line, after "layout-sim: "
    int column;           // where the caret line points
  };
  const Case cases[] = {
      {"{\"steps\": [\n  {\"run\": \"Mint_Pivots\",}\n]}\n",
       "s.json:2:25: syntax error while parsing object key - unexpected '}'; expected string literal", 25},
      {"{\"steps\": [\n  {\"save\": \"out.json\"},\n  {\"run\": \"Mint_Pivots\", \"selct\": "
       "[\"Body\"]}\n]}\n",
       "s.json:3:26: unknown key \"selct\" (did you mean \"select\"?); allowed here: \"run\", \"select\", "
       "\"build\", "
       "\"dynamicUpdate\", \"actions\", \"commands\", \"note\"",
       26},
      {"{\"steps\": [{\"run\": \"Mint_Pivot\"}]}",
       "s.json:1:20: the module has no server \"Mint_Pivot\" (did you mean \"Mint_Pivots\"?); its servers: "
       "Mint_Pivots, Mint_Joints",
       20},
      {"{\"steps\": [\n  {\"run\": \"Mint_Joints\",\n   \"actions\": [{\"key\": \"Entr\"}]}]}",
       "s.json:3:24: key Entr: unknown key \"Entr\" (did you mean \"Enter\"?); keys are Tab, Enter, Return, "
       "Left, "
       "Right, Up, Down, a single character or a code such as 0x1012",
       24},
      {"{\"steps\": [{\"laod\": \"x.json\"}]}",
       "s.json:1:12: a step needs one of \"load\", \"select\", \"run\", \"replay\" or \"save\" (did you mean "
       "\"load\"?)",
       12},
      {"{\"steps\": [{\"run\": \"Mint_Pivots\", \"build\": \"new\"}]}",
       "s.json:1:44: expected a whole number", 44},
      {"{\"steps\": [{\"run\": \"Mint_Pivots\", \"actions\": [\"ok\", {\"set\": \"Num=2\"}]}]}",
       "s.json:1:47: ok closes the panel, so it must be the last panel action (\"set Num=2\" follows it)",
       47},
  };
  for (const Case &c : cases) {
    write("s.json", c.text);
    const Result r = run({"session", "s.json"});
    EXPECT_EQ(r.status, 1) << c.text;
    EXPECT_EQ(r.out, "") << c.text;  // checked before any step runs
    const Located shown = locatedError(r.err);
    EXPECT_EQ(shown.message, std::string("layout-sim: ") + c.message) << r.err;
    // The offending line is shown indented by two, the caret under the column.
    EXPECT_EQ(shown.caret, std::string(static_cast<size_t>(c.column) + 1, ' ') + "^") << r.err;
  }
  EXPECT_FALSE(exists("out.json"));
}

TEST_F(Session, AStepThatFailsWhileRunningIsShownWhereItIsWritten) {
  write("s.json",
        "{\"steps\": [\n  {\"save\": \"first.json\"},\n"
        "  {\"run\": \"Mint_Pivots\", \"actions\": [{\"set\": \"Num=2\"}, {\"set\": \"Nm=3\"}]},\n"
        "  {\"save\": \"second.json\"}\n]}\n");
  Result r = run({"session", "s.json"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err.rfind("layout-sim: s.json:3:56: set Nm=3: no control \"Nm\"", 0), 0u) << r.err;
  EXPECT_TRUE(exists("first.json"));  // steps before it are done
  EXPECT_FALSE(exists("second.json"));

  write("s.json", "{\"steps\": [{\"select\": [\"Body\", \"Nobody\"]}]}");
  r = run({"session", "s.json"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err.rfind("layout-sim: s.json:1:32: no item named \"Nobody\"", 0), 0u) << r.err;
}

// --quiet, --verbose and --strict mean for a session what they mean for run.
TEST_F(Session, QuietVerboseAndStrictAsForRun) {
  write("s.json", R"({"description": "Props, then a tail",
    "steps": [
    {"note": "props", "run": "Mint_Pivots", "actions": [{"set": "Num=5000"}]},
    {"run": "Mint_Joints", "select": "Spine", "actions": [{"set": "Num=2"}], "commands": "tail.txt"},
    {"save": "rig.json"}
  ]})");
  Result r = run({"session", "s.json", "--quiet"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "Mint_Pivots sent 5013 commands.\nMint_Joints sent 7 commands.\n");
  EXPECT_EQ(r.err, "layout-sim: Num: 5000 corrected to 1000 by the panel\n");
  EXPECT_TRUE(exists("rig.json"));

  // The scene after each run as well as at the end.
  r = run({"session", "-v", "s.json"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(countLines(r.out, "Scene:"), 3) << r.out;
  r = run({"session", "s.json"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(countLines(r.out, "Scene:"), 1) << r.out;

  std::filesystem::remove(path("rig.json"));
  r = run({"session", "--strict", "s.json"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "Props, then a tail\n\n== props ==\n");
  EXPECT_EQ(
      r.err,
      "layout-sim: s.json:3:57: set Num=5000: Num: 5000 corrected to 1000 by the panel (--strict)\n"
      "      {\"note\": \"props\", \"run\": \"Mint_Pivots\", \"actions\": [{\"set\": \"Num=5000\"}]},\n" +
          std::string(58, ' ') + "^\n");
  EXPECT_FALSE(exists("rig.json"));
}

}  // namespace
}  // namespace sim::cli_test

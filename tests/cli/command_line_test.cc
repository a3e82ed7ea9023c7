// The command line as git and cmake users expect it: one value per option,
// options before or after the server, - for standard input and output,
// --quiet, and values the panel corrects said out loud.
#include <string>

#include "layout_sim.h"

namespace sim::cli_test {
namespace {

using CommandLine = LayoutSim;
constexpr auto npos = std::string::npos;

TEST_F(CommandLine, OptionsTakeOneValueEachAndStandBeforeOrAfterTheServer) {
  const std::vector<std::vector<std::string>> spellings = {
      {"run", "--select", "Body", "--select", "Prop", "Mint_Joints", "--set", "Num=1"},
      {"run", "--select", "Body,Prop", "Mint_Joints", "--set=Num=1"},
      {"run", "Mint_Joints", "--select=Body", "--select=Prop", "--set", "Num=1"},
  };
  std::string first;
  for (const std::vector<std::string> &arguments : spellings) {
    const Result r = run(arguments);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    if (first.empty()) first = r.out;
    EXPECT_EQ(r.out, first) << arguments[2];
  }
  // Both objects were selected: a bone is added to each.
  EXPECT_EQ(countLines(first, "  ok  AddBone "), 2) << first;
}

TEST_F(CommandLine, ADashIsStandardInputOrOutput) {
  Result r = run({"run", "Mint_Pivots", "--set", "name=Rig", "--set", "Num=1", "--save", "-"});
  ASSERT_EQ(r.status, 0) << r.err;
  // The scene alone on standard output, so it can be piped; the report on stderr.
  EXPECT_EQ(r.out.rfind("{\n  \"format\": \"mint-scene\",", 0), 0u) << r.out;
  EXPECT_NE(r.err.find("Mint_Pivots sent "), npos) << r.err;
  write("piped.json", r.out);

  r = runWithInput({"run", "Mint_Joints", "--scene", "-", "--select", "Rig", "--set", "Num=1", "--quiet"},
                   "piped.json");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "Mint_Joints sent 5 commands.\n");

  r = run({"run", "Mint_Pivots", "--save", "-", "--commands", "-"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "layout-sim: --save and --commands cannot both write to standard output (-)\n");
}

TEST_F(CommandLine, AValueThePanelCorrectsIsReportedOrWithStrictRefused) {
  Result r = run({"run", "Mint_Pivots", "--set", "Num=5000", "--quiet"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, "layout-sim: Num: 5000 corrected to 1000 by the panel\n");
  EXPECT_EQ(r.out, "Mint_Pivots sent 5013 commands.\n");

  r = run({"run", "Mint_Pivots", "--set", "Num=abc", "--strict", "--save", "out.json"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "layout-sim: --set Num=abc: Num: abc corrected to 1 by the panel (--strict)\n");
  EXPECT_FALSE(exists("out.json"));

  // A value the panel keeps is not reported.
  r = run({"run", "Mint_Pivots", "--set", "Num=3", "--strict", "--quiet"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, "");
}

TEST_F(CommandLine, LabelsIgnoreCaseAndMenusGoByTitle) {
  const Result exact =
      run({"run", "Mint_Pivots", "--menu", "100:Disable all", "--set", "Num=3", "--tick", "Parent (x)"});
  ASSERT_EQ(exact.status, 0) << exact.err;
  const Result loose =
      run({"run", "Mint_Pivots", "--menu", "general:Disable all", "--set", "num=3", "--tick", "parent (X)"});
  EXPECT_EQ(loose.status, 0) << loose.err;
  EXPECT_EQ(loose.out, exact.out);

  const Result r = run({"run", "Mint_Pivots", "--menu", "Genral:Disable all"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(
      r.err,
      "layout-sim: --menu Genral:Disable all: panel \"Mint_Pivots\" has no menu \"Genral\" (did you mean "
      "\"General\"?); its menus: \"Basic\", \"General\", \"Shadow\"\n");
}

TEST_F(CommandLine, WhatIsNotUnderstoodIsNamedWithASuggestion) {
  Result r = run({"run", "Mint_Pivots", "--selct=Body"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(
      r.err,
      "layout-sim run: unknown option --selct (did you mean \"--select\"?) (see layout-sim run --help)\n");

  // A second value after an option is not the option's.
  r = run({"run", "--select", "Body", "Prop", "Mint_Joints"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(
      r.err,
      "layout-sim run: unexpected argument \"Mint_Joints\" (options take one value each) (see layout-sim "
      "run --help)\n");

  // Options stand before or after the positional of a session too.
  write("s.json", R"({"steps": [{"run": "Mint_Pivots"}]})");
  r = run({"session", "--quiet", "s.json", "--allow-rejected"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "Mint_Pivots sent 13 commands.\n");
}

// A value that is not a number, an option given twice and an empty file name
// are named plainly, and none of them counts as done.
TEST_F(CommandLine, BadValuesRepeatedOptionsAndEmptyNamesAreRefusedPlainly) {
  Result r = run({"run", "Mint_Pivots", "--build", "abc"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "layout-sim run: --build: \"abc\" is not a number (see layout-sim run --help)\n");
  r = run({"run", "Mint_Pivots", "--save", "a.json", "--save", "b.json"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "layout-sim run: --save is given 2 times; give it once (see layout-sim run --help)\n");
  // Not the embedded default scene, converted and reported as done.
  r = run({"convert", "", "out.json"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "layout-sim: the scene file to read has an empty name\n");
  EXPECT_EQ(r.out, "");
}

TEST_F(CommandLine, HelpNamesTheModuleFileOfThisSystem) {
  for (const char *subcommand : {"run", "panel", "session"}) {
    const Result r = run({subcommand, "--help"});
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find(std::string("(default: ") + kModuleFile + " beside this program)"), npos) << r.out;
  }
}

}  // namespace
}  // namespace sim::cli_test

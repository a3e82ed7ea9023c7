// layout-sim run: panel actions in, commands and scene out, and every way a
// run can fail named with the right exit status.
#include <algorithm>
#include <string>
#include <vector>

#include "layout_sim.h"

namespace sim::cli_test {
namespace {

using RunCommand = LayoutSim;
constexpr auto npos = std::string::npos;

size_t lineCount(const std::string &text) {
  return static_cast<size_t>(std::count(text.begin(), text.end(), '\n'));
}

TEST_F(RunCommand, PanelActionsOnTheDefaultSceneAndTheCommandsTheySend) {
  const Result r = run({"run", "Mint_Pivots", "--select", "Body", "--set", "name=Pivot", "--set",
                        "suffix= +_nn", "--set", "Num=2", "--set", "Col=Orange", "--tick", "Parent (x)"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(r.out.rfind("Mint_Pivots sent ", 0), 0u) << r.out;
  EXPECT_NE(r.out.find("  ok  AddNull Pivot_01\n"
                       "  ok  ItemActive 0\n"
                       "  ok  ItemVisibility 2\n"
                       "  ok  ItemColor 13\n"
                       "  ok  ParentItem 10000000\n"
                       "  ok  Position 0 0 0\n"
                       "  ok  AddNull Pivot_02\n"),
            npos)
      << r.out;
  // The scene follows the commands: both pivots under the body.
  const size_t scene = r.out.find("Scene:\n");
  ASSERT_NE(scene, npos);
  EXPECT_NE(r.out.find("\n  10000004  Pivot_02", scene), npos) << r.out;
}

TEST_F(RunCommand, QuietGivesCountsInsteadOfEveryCommandAndTheTree) {
  const Result r = run({"run", "Mint_Pivots", "--select", "Body", "--set", "Num=2", "--quiet"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "Mint_Pivots sent 19 commands.\n");
}

TEST_F(RunCommand, ActionsHappenInTheOrderGiven) {
  auto nulls = [&](std::vector<std::string> actions) {
    actions.insert(actions.begin(), {"run", "Mint_Pivots"});
    const Result r = run(actions);
    EXPECT_EQ(r.status, 0) << r.err;
    return countLines(r.out, "  ok  AddNull ");
  };
  EXPECT_EQ(nulls({"--key", "3", "--set", "Num=5"}), 5);
  EXPECT_EQ(nulls({"--set", "Num=5", "--key", "3"}), 3);
  // Arrow keys step the count by 10, or by 100 with shift.
  EXPECT_EQ(nulls({"--set", "Num=150", "--key", "Left"}), 140);
  EXPECT_EQ(nulls({"--set", "Num=150", "--key", "shift+Left"}), 50);
  EXPECT_EQ(nulls({"--set", "Num=1", "--key", "0x1012"}), 2);
}

TEST_F(RunCommand, ProgressIsALineAtEachTenthWhenStderrIsNotATerminal) {
  const Result r = run({"run", "Mint_Pivots", "--set", "Num=150"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(countLines(r.err, "Creating: "), 11) << r.err;
  EXPECT_NE(r.err.find("Creating: 50%\n"), npos);
  EXPECT_NE(r.err.find("Creating: 100%\nSelecting\nDone\n"), npos) << r.err;
}

TEST_F(RunCommand, MenusByItemTextOrIndex) {
  // General "Disable all" and Shadow "Enable all" leave a null with default
  // render flags, so only the alpha channel is sent among them.
  Result r = run({"run", "Mint_Pivots", "--menu", "100:Disable all", "--menu", "150:2"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(countLines(r.out, "  ok  UnseenBy"), 1) << r.out;
  EXPECT_EQ(countLines(r.out, "Shadow"), 0) << r.out;

  r = run({"run", "Mint_Pivots", "--menu", "100:Enable al"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_NE(r.err.find(
                "--menu 100:Enable al: the menu has no item \"Enable al\" (0 \"General\", 1 \"Disable all\", "
                "2 \"Enable all\")"),
            npos)
      << r.err;

  r = run({"run", "Mint_Pivots", "--menu", "57:1"});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("shows no menu for a right-click at y 57"), npos) << r.err;
}

TEST_F(RunCommand, ACancelledPanelIsDoneAndSendsNothing) {
  const Result r = run({"run", "Mint_Pivots", "--set", "Num=5", "--cancel"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "Cancelled: no command was sent.\n");
  EXPECT_EQ(r.err, "");
}

TEST_F(RunCommand, BadUsageIsOneMessageAndStatusOne) {
  const std::vector<std::vector<std::string>> cases = {
      {},
      {"rn", "Mint_Pivots"},
      {"run"},
      {"run", "Mint_Pivots", "--build", "abc"},
      {"run", "Mint_Pivots", "--build", "5000"},
      {"run", "Mint_Pivot"},
      {"run", "Mint_Pivots", "--ok", "--set", "Num=3"},
      {"run", "Mint_Pivots", "--set", "Num"},
      {"run", "Mint_Pivots", "--key", "shiftt+Left"},
      {"run", "Mint_Pivots", "--menu", "top:1"},
      {"run", "Mint_Pivots", "--set", "Col=Purpel"},
      {"run", "Mint_Pivots", "--scene", "missing.json"},
  };
  for (const auto &arguments : cases) {
    const Result r = run(arguments);
    std::string shown;
    for (const std::string &argument : arguments) shown += argument + " ";
    EXPECT_EQ(r.status, 1) << shown;
    EXPECT_EQ(r.out, "") << shown;
    EXPECT_EQ(lineCount(r.err), 1u) << shown << "\n" << r.err;
  }
  EXPECT_NE(run({"run", "Mint_Pivot"}).err.find("did you mean \"Mint_Pivots\"?"), npos);
  EXPECT_NE(run({"run", "Mint_Pivots", "--set", "Col=Purpel"}).err.find("did you mean \"Purple\"?"), npos);
}

TEST_F(RunCommand, ControlsThatAreNotThereOrCannotTakeTheAction) {
  Result r = run({"run", "Mint_Joints", "--select", "Spine", "--set", "Nm=3"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(
      r.err.rfind("layout-sim: --set Nm=3: no control \"Nm\" in panel \"Mint_Joints\" (labels: \"Num\", ", 0),
      0u)
      << r.err;
  EXPECT_NE(r.err.find("\"Rest Length\""), npos);
  EXPECT_NE(r.err.find("roles: name, prefix, suffix"), npos);
  EXPECT_NE(r.err.find("(did you mean \"Num\"?)"), npos);

  r = run({"run", "Mint_Pivots", "--tick", "Col"});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("--tick Col: \"Col\" is a PopupControl, not a check box"), npos) << r.err;

  r = run({"run", "Mint_Pivots", "--tick", "Hierarchy"});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("ghosted"), npos) << r.err;

  r = run({"run", "Mint_Pivots", "--key", "A"});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("does not answer this key"), npos) << r.err;
}

TEST_F(RunCommand, ActionsLeftWhenTheModuleClosedThePanelAreAnError) {
  const Result r = run({"run", "Mint_Pivots", "--key", "Enter", "--set", "Num=3", "--save", "scene.json"});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.out.find("  ok  AddNull Null\n"), npos) << r.out;  // what Enter started did happen
  EXPECT_NE(r.err.find("--set Num=3: not carried out: the panel had already closed on \"--key Enter\""), npos)
      << r.err;
  EXPECT_FALSE(exists("scene.json"));
}

TEST_F(RunCommand, SelectionByNameOrIdAndAmbiguousNames) {
  // Two nulls named Twin: no numbering, so both get the same name.
  ASSERT_EQ(
      run({"run", "Mint_Pivots", "--set", "name=Twin", "--set", "Num=2", "--save", "twins.json"}).status, 0);
  Result r = run({"run", "Mint_Joints", "--scene", "twins.json", "--select", "Twin"});
  EXPECT_EQ(r.status, 1);
  // An ambiguous name is not offered as its own suggestion.
  EXPECT_EQ(r.err, "layout-sim: \"Twin\" names 2 items: 10000003 (top level), 10000004 (top level)\n");

  r = run({"run", "Mint_Joints", "--scene", "twins.json", "--select", "10000004"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out.rfind("Mint_Joints sent ", 0), 0u) << r.out;
}

TEST_F(RunCommand, AModuleThatFailsToLoadOrLacksAServiceExitsTwo) {
  // The module's path is named once, before what went wrong with it.
  Result r = run({"run", "Mint_Pivots", "--module", BAD_SYNC_MODULE_PATH});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err, "layout-sim: cannot load the module " BAD_SYNC_MODULE_PATH
                   " (sync): descriptor sync word is 0x12345678, expected 0x04121994\n");

  r = run({"session", "--module", path("missing.so"), EXAMPLES_DIR "/demo-session.json"});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err.rfind("layout-sim: cannot load the module " + path("missing.so") + " (open): ", 0), 0u)
      << r.err;
  EXPECT_EQ(r.err.find("missing.so", r.err.find("missing.so") + 1), npos) << r.err;

  r = run({"run", "Mint_Pivots", "--module", "-"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(
      r.err,
      std::string("layout-sim: a module cannot be read from standard input (-); give the path of its file, "
                  "such as ") +
          kModuleFile + "\n");

  r = run({"run", "Mint_Joints", "--without", "LW Bone Info 3"});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "layout-sim: Mint_Joints refused to run: the host does not provide \"LW Bone Info 3\"\n");

  // Whichever service the module went without is named, with what the run
  // did without it, and the run is refused.
  for (const char *service : {"LWPanelServices", "ContextMenuServices"}) {
    r = run({"run", "Mint_Pivots", "--without", service});
    EXPECT_EQ(r.status, 2) << service;
    EXPECT_EQ(r.err, "layout-sim: Mint_Pivots lacked a host service: the host does not provide \"" +
                         std::string(service) + "\"; it showed no panel and sent no command\n");
    r = run({"run", "Mint_Pivots", "--without", service, "--set", "Num=2"});
    EXPECT_EQ(r.status, 2) << service;
    EXPECT_NE(r.err.find("does not provide \"" + std::string(service) +
                         "\"; it showed no panel and sent no command\n  --set Num=2: not carried out"),
              npos)
        << r.err;
  }
  r = run({"run", "Mint_Pivots", "--without", "Product Info"});
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.out.find("  ok  AddNull Null\n"), npos) << r.out;
  EXPECT_EQ(r.err,
            "layout-sim: Mint_Pivots lacked a host service: the host does not provide \"Product Info\"; the "
            "module took the host for build 0\n");
}

TEST_F(RunCommand, ARunWithRejectedTextsIsNotASuccessUnlessAllowed) {
  // A bone first takes the bone path for every item: the object after it
  // gets AddChildBone, which the host refuses.
  const std::vector<std::string> mixed = {"run",      "Mint_Joints", "--select",   "Spine",
                                          "--select", "Body",        "--set",      "Num=1",
                                          "--save",   "rig.json",    "--commands", "sent.txt"};
  Result r = run(mixed);
  EXPECT_EQ(r.status, 3);
  EXPECT_NE(r.out.find("Mint_Joints sent 9 commands, 3 rejected:\n"), npos) << r.out;
  EXPECT_EQ(
      r.err,
      "layout-sim: the host rejected 3 of the 9 command texts Mint_Joints sent (--allow-rejected accepts "
      "such a run)\n");
  EXPECT_FALSE(exists("rig.json"));
  EXPECT_FALSE(exists("sent.txt"));

  // Quiet, the report lists the same rejected texts with their reasons, and
  // no accepted one.
  std::string rejectedLines;
  for (size_t at = r.out.find("  REJECTED  "); at != npos; at = r.out.find("  REJECTED  ", at + 1)) {
    rejectedLines += r.out.substr(at, r.out.find('\n', at) + 1 - at);
  }
  ASSERT_EQ(lineCount(rejectedLines), 3u) << r.out;
  const Result quiet =
      run({"run", "Mint_Joints", "--select", "Spine", "--select", "Body", "--set", "Num=1", "--quiet"});
  EXPECT_EQ(quiet.status, 3);
  EXPECT_EQ(quiet.out, "Mint_Joints sent 9 commands, 3 rejected:\n" + rejectedLines);

  std::vector<std::string> allowed = mixed;
  allowed.push_back("--allow-rejected");
  r = run(allowed);
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(exists("rig.json"));
  EXPECT_TRUE(exists("sent.txt"));

  write("mixed.json", R"({"steps": [
    {"run": "Mint_Joints", "select": ["Spine", "Body"]},
    {"save": "never.json"}
  ]})");
  r = run({"session", "mixed.json"});
  EXPECT_EQ(r.status, 3);
  EXPECT_NE(r.err.find("mixed.json:2:13: the host rejected 3 of the 9 command texts"), npos) << r.err;
  EXPECT_FALSE(exists("never.json"));
  r = run({"session", "mixed.json", "--allow-rejected"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(exists("never.json"));
}

TEST_F(RunCommand, HelpAndVersion) {
  Result r = run({"--help"});
  EXPECT_EQ(r.status, 0);
  for (const char *expected : {"run", "session", "panel", "replay", "Exit status: 0 done"}) {
    EXPECT_NE(r.out.find(expected), npos) << expected;
  }
  for (const char *subcommand : {"run", "session", "panel", "replay"}) {
    r = run({subcommand, "--help"});
    EXPECT_EQ(r.status, 0) << subcommand;
    EXPECT_NE(r.out.find("Usage: layout-sim " + std::string(subcommand)), npos) << r.out;
    EXPECT_NE(r.out.find("Exit status"), npos) << subcommand;
  }
  EXPECT_NE(run({"run", "--help"}).out.find("--menu MENU:ITEM"), npos);
  r = run({"--version"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out.rfind("layout-sim ", 0), 0u) << r.out;
}

}  // namespace
}  // namespace sim::cli_test

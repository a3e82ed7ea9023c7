// layout-sim replay: a command log carried out again gives the same scene, and
// on another scene acts on the items of the same names, or refuses.
#include <sstream>
#include <string>
#include <vector>

#include "layout_sim.h"

namespace sim::cli_test {
namespace {

using Replay = LayoutSim;
constexpr auto npos = std::string::npos;

TEST_F(Replay, ACommandLogRebuildsTheSceneItsRunMade) {
  const std::vector<std::vector<std::string>> runs = {
      {"run", "Mint_Pivots", "--select", "Body", "--set", "Num=3", "--tick", "Parent (x)", "--tick",
       "Hierarchy"},
      // A bone first puts the object after it on the bone path too, and the
      // host refuses those commands: the replay must meet the same refusals.
      {"run", "Mint_Joints", "--select", "Spine,Prop", "--set", "Num=2", "--tick", "individual"},
  };
  // The texts with the host's answers, as printed.
  auto results = [](const std::string &out) {
    std::istringstream lines(out);
    std::string kept;
    for (std::string line; std::getline(lines, line);) {
      if (line.rfind("  ok  ", 0) == 0 || line.rfind("  REJECTED  ", 0) == 0) kept += line + "\n";
    }
    return kept;
  };
  for (std::vector<std::string> arguments : runs) {
    arguments.insert(arguments.end(),
                     {"--commands", "commands.txt", "--save", "run.json", "--allow-rejected"});
    const Result ran = run(arguments);
    ASSERT_EQ(ran.status, 0) << ran.err;
    const Result replayed = run({"replay", "commands.txt", "--keep-going", "--save", "replay.json"});
    ASSERT_EQ(replayed.status, 0) << replayed.err;
    EXPECT_EQ(read("replay.json"), read("run.json")) << arguments[1];
    EXPECT_EQ(results(replayed.out), results(ran.out));
  }
}

TEST_F(Replay, ARejectedCommandStopsTheReplayUnlessToldToKeepGoing) {
  write("commands.txt", "AddNull Left\n# a comment\n\nAddNul Middle\r\nAddNull Right\n");
  Result r = run({"replay", "commands.txt", "--save", "scene.json"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(
      r.err,
      "layout-sim: commands.txt:4:1: rejected: AddNul Middle: unknown command (did you mean \"AddNull\"?)\n"
      "  AddNul Middle\n"
      "  ^\n"
      "The replay stopped there; --keep-going carries on past rejected commands.\n");
  EXPECT_EQ(r.out.find("Right"), npos) << r.out;
  EXPECT_FALSE(exists("scene.json"));

  r = run({"replay", "commands.txt", "--keep-going", "--save", "scene.json"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(
      r.out.rfind("commands.txt: 3 commands, 1 rejected:\n  ok  AddNull Left\n  REJECTED  AddNul Middle", 0),
      0u)
      << r.out;
  EXPECT_EQ(countLines(r.err, "commands.txt:4:1: rejected: AddNul Middle"), 1) << r.err;
  EXPECT_TRUE(exists("scene.json"));

  r = run({"replay", "missing.txt"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "layout-sim: cannot read command file missing.txt: No such file or directory\n");
}

// Every text is listed as it was sent, escaped, with the host's answer:
// texts of a thousand distinct forms and their repeats, numbered texts
// around a rejected one, control bytes, and texts longer than usual before
// or after their number.
TEST_F(Replay, TheListingShowsEveryTextWhateverItsFormLengthOrBytes) {
  std::vector<std::string> texts;
  for (int round = 0; round < 2; ++round) {
    for (int i = 0; i < 1100; ++i) {
      const int at = round == 0 ? i : 1099 - i;
      texts.push_back(std::string("AddNull ") + static_cast<char>('a' + at % 26) +
                      static_cast<char>('a' + at / 26 % 26) + static_cast<char>('a' + at / 676));
    }
  }
  for (int i = 1; i <= 150; ++i) {
    const std::string number = std::to_string(1000 + i).substr(1);
    texts.push_back((i == 77 ? "AddNul Joint_" : "AddNull Joint_") + number);
    texts.push_back("AddNull Tab\tJoint_" + number + "\x1b[2J");
  }
  texts.push_back("AddNull " + std::string(60, 'L') + "_12");
  texts.push_back("AddNull X_1" + std::string(40, 'S'));
  texts.push_back("AddNull " + std::string(60, 'L') + "_13");
  texts.push_back("AddNull X_2" + std::string(40, 'S'));
  std::string file;
  for (const std::string &text : texts) file += text + "\n";
  write("commands.txt", file);

  const auto escaped = [](const std::string &text) {
    std::string shown;
    for (const char c : text) {
      const auto byte = static_cast<unsigned char>(c);
      shown += byte < 0x20 || byte == 0x7F
                   ? "\\x" + std::string(1, "0123456789abcdef"[byte >> 4]) + "0123456789abcdef"[byte & 0xF]
                   : std::string(1, c);
    }
    return shown;
  };
  std::string expected = "commands.txt: " + std::to_string(texts.size()) + " commands, 1 rejected:\n";
  for (const std::string &text : texts) {
    expected += text.rfind("AddNul ", 0) == 0
                    ? "  REJECTED  " + text + ": unknown command (did you mean \"AddNull\"?)\n"
                    : "  ok  " + escaped(text) + "\n";
  }
  const Result r = run({"replay", "commands.txt", "--keep-going"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out.substr(0, r.out.find("Scene:\n")), expected);
}

// Grips recorded under Body on the default scene, where Body is 10000000.
class ReplayElsewhere : public LayoutSim {
 protected:
  void SetUp() override {
    LayoutSim::SetUp();
    const Result r =
        run({"run", "Mint_Pivots", "--select", "Body", "--set", "name=Grip", "--set", "suffix=+_n", "--set",
             "Num=2", "--tick", "Parent (x)", "--commands", "grips.txt", "--quiet"});
    ASSERT_EQ(r.status, 0) << r.err;
  }

  // A scene whose items are `items` (JSON objects), nothing selected.
  void scene(const std::string &name, const std::string &items) {
    write(name, "{\"format\": \"mint-scene\", \"version\": 1, \"items\": [" + items + "]}");
  }
};

TEST_F(ReplayElsewhere, TheRecordingNamesEachItemItUses) {
  const std::string file = read("grips.txt");
  EXPECT_EQ(
      file.rfind("#mint-commands 1\n#item 10000000 [\"Body\"]\n#item 10000003 new [\"Body\",\"Grip_1\"]\n"
                 "#item 10000004 new [\"Body\",\"Grip_2\"]\nDynamicUpdate 0\nAddNull Grip_1\n",
                 0),
      0u)
      << file;
}

TEST_F(ReplayElsewhere, IdsAreMappedToTheItemsOfTheSameNamesInTheOtherScene) {
  // Body is the third object here, and the IDs of the default scene's new
  // grips belong to other items.
  scene("other.json",
        "{\"type\": \"object\", \"name\": \"Stand\"}, {\"type\": \"object\", \"name\": \"Grip_9\"},"
        "{\"type\": \"object\", \"name\": \"Body\"}, {\"type\": \"object\", \"name\": \"Lamp\"},"
        "{\"type\": \"object\", \"name\": \"Rack\"}");
  const Result r = run({"replay", "grips.txt", "--scene", "other.json", "--save", "-"});
  ASSERT_EQ(r.status, 0) << r.err;
  // The scene went to standard output, the report to standard error.
  EXPECT_NE(r.err.find("  ok  ParentItem 10000002\n"), npos) << r.err;
  EXPECT_NE(
      r.err.find("  ok  SelectItem 10000005\n  ok  AddToSelection 10000005\n  ok  AddToSelection 10000006\n"),
      npos)
      << r.err;
  EXPECT_NE(r.out.find("\"name\": \"Grip_1\", \"null\": true, \"parent\": \"10000002\""), npos) << r.out;
  EXPECT_NE(r.out.find("\"name\": \"Grip_2\", \"null\": true, \"parent\": \"10000002\""), npos) << r.out;
}

TEST_F(ReplayElsewhere, AnItemThatIsMissingOrAmbiguousStopsTheReplayBeforeItBegins) {
  scene("twice.json",
        "{\"type\": \"object\", \"name\": \"Body\"}, {\"type\": \"object\", \"name\": \"Body\"}");
  Result r = run({"replay", "grips.txt", "--scene", "twice.json", "--save", "out.json"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(
      r.err,
      "layout-sim: grips.txt:2:16: item \"Body\" (10000000 when recorded) could be any of 2 items in this "
      "scene: 10000000, 10000001; rename one so the replay can tell\n"
      "  #item 10000000 [\"Body\"]\n"
      "                 ^\n");
  EXPECT_EQ(r.out, "");
  EXPECT_FALSE(exists("out.json"));

  scene("none.json", "{\"type\": \"object\", \"name\": \"Boddy\"}");
  r = run({"replay", "grips.txt", "--scene", "none.json", "--save", "out.json"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(
      r.err,
      "layout-sim: grips.txt:2:16: no item \"Body\" (10000000 when recorded) in this scene (did you mean "
      "\"Boddy\"?)\n"
      "  #item 10000000 [\"Body\"]\n"
      "                 ^\n");
  EXPECT_FALSE(exists("out.json"));
}

TEST_F(ReplayElsewhere, NamesInItsMessagesReachTheTerminalEscaped) {
  // A near miss with an escape byte in it: the suggestion quotes it.
  scene("hostile.json", "{\"type\": \"object\", \"name\": \"Bod\\u001b\"}");
  const Result r = run({"replay", "grips.txt", "--scene", "hostile.json"});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("(did you mean \"Bod\\x1b\"?)"), npos) << r.err;
  EXPECT_EQ(r.err.find('\x1b'), npos) << r.err;
}

TEST_F(ReplayElsewhere, AFileWithoutItemNamesReplaysOnlyById) {
  write("old.txt", "AddNull X\nParentItem 10000000\n");
  Result r = run({"replay", "old.txt", "--save", "out.json"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(
      r.err,
      "layout-sim: old.txt:2:12: this file does not say which items its IDs name (an older layout-sim "
      "wrote it), so they may mean other items in this scene; replay it with --by-id to use them as they "
      "are\n"
      "  ParentItem 10000000\n"
      "             ^\n");
  EXPECT_FALSE(exists("out.json"));
  // Read from standard input, as the IDs say.
  r = runWithInput({"replay", "-", "--by-id", "--quiet"}, "old.txt");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "standard input: 2 commands.\n");
}

}  // namespace
}  // namespace sim::cli_test

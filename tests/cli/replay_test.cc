// layout-sim replay: a command log carried out again gives the same scene.
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
      {"run", "Mint_Joints", "--select", "Spine", "Prop", "--set", "Num=2", "--tick", "individual"},
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
    const Result replayed = run({"replay", "commands.txt", "--save", "replay.json"});
    ASSERT_EQ(replayed.status, 0) << replayed.err;
    EXPECT_EQ(read("replay.json"), read("run.json")) << arguments[1];
    EXPECT_EQ(results(replayed.out), results(ran.out));
  }
}

TEST_F(Replay, RejectedLinesAreReportedWithFileAndLine) {
  write("commands.txt", "AddNull Left\n# a comment\n\nParentItem 12345678\nBogus 1\r\nAddNull Right\n");
  Result r = run({"replay", "commands.txt", "--save", "scene.json"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(
      r.out.rfind(
          "commands.txt: 4 commands, 2 rejected:\n  ok  AddNull Left\n  REJECTED  ParentItem 12345678", 0),
      0u)
      << r.out;
  EXPECT_NE(r.err.find("commands.txt:4: rejected: ParentItem 12345678: "), npos) << r.err;
  EXPECT_NE(r.err.find("commands.txt:5: rejected: Bogus 1: unknown command"), npos) << r.err;
  EXPECT_NE(r.out.find("Right"), npos);
  EXPECT_TRUE(exists("scene.json"));

  r = run({"replay", "commands.txt", "--strict", "--save", "strict.json"});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("commands.txt:4: rejected: ParentItem 12345678"), npos) << r.err;
  EXPECT_FALSE(exists("strict.json"));

  r = run({"replay", "missing.txt"});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("missing.txt"), npos);
}

}  // namespace
}  // namespace sim::cli_test

// "-" for standard input or output wherever a file is read or written, and
// each stream carrying one file at most: what a script pipes in or out is
// never mixed with the report or with another file.
#include <string>

#include "layout_sim.h"

namespace sim::cli_test {
namespace {

using StandardStreams = LayoutSim;
constexpr auto npos = std::string::npos;

TEST_F(StandardStreams, APictureOnStandardOutputIsTheWholeOutput) {
  Result r = run({"panel", "Mint_Pivots", "--svg", "-"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out.rfind("<svg ", 0), 0u) << r.out.substr(0, 80);
  EXPECT_EQ(r.out.substr(r.out.size() - 7), "</svg>\n");
  EXPECT_EQ(r.err, "");

#ifdef _WIN32
  GTEST_SKIP() << "rsvg-convert is a program of the build machine, not of Windows";
#endif
  r = run({"panel", "Mint_Pivots", "--png", "-"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out.substr(0, 8), "\x89PNG\r\n\x1a\n");
  // Nothing after the picture's last chunk.
  EXPECT_EQ(r.out.substr(r.out.size() - 8, 4), "IEND");

  r = run({"panel", "Mint_Pivots", "--svg", "-", "--png", "-"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "layout-sim: --svg and --png cannot both write to standard output (-)\n");
}

TEST_F(StandardStreams, ConvertIsAFilterEitherWay) {
  // A Layout scene on standard input is known by its first line.
  write("in.lws", "LWSC\n3\n\nAddNullObject Pivot\nShowObject 6 3\n\nLoadObjectLayer 1 body.lwo\n");
  Result r = runWithInput({"convert", "-", "-"}, "in.lws");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out.rfind("{\n  \"format\": \"mint-scene\",", 0), 0u) << r.out;
  EXPECT_NE(r.out.find("\"name\": \"Pivot\""), npos) << r.out;
  EXPECT_EQ(r.err, "Converted standard input (2 items) to standard output\n");

  write("in.json", r.out);
  r = runWithInput({"convert", "-", "out.lws"}, "in.json");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "Converted standard input (2 items) to out.lws\n");
  EXPECT_EQ(read("out.lws").rfind("LWSC\n", 0), 0u);
}

TEST_F(StandardStreams, ReplayReadsItsCommandsFromAPipeAndSavesIntoOne) {
  // The command file on standard output; the report, without a word about
  // writing to "-", on standard error.
  Result r = run({"run", "Mint_Pivots", "--set", "Num=2", "--commands", "-"});
  ASSERT_EQ(r.status, 0) << r.err;
  write("pivots.txt", r.out);
  EXPECT_NE(r.err.find("Mint_Pivots sent 19 commands:\n"), npos) << r.err;
  EXPECT_EQ(r.err.find("Wrote"), npos) << r.err;
  r = runWithInput({"replay", "-", "--save", "-", "--quiet"}, "pivots.txt");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out.rfind("{\n  \"format\": \"mint-scene\",", 0), 0u) << r.out;
  EXPECT_EQ(r.err, "standard input: 19 commands.\n");

  r = runWithInput({"replay", "-", "--scene", "-"}, "pivots.txt");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "layout-sim: the command file and --scene cannot both read standard input (-)\n");
}

TEST_F(StandardStreams, ASessionFileAndItsStepsShareTheStreams) {
  write("rig.json", R"({"steps": [
    {"run": "Mint_Pivots", "actions": [{"set": "Num=2"}], "commands": "-"},
    {"save": "out/rig.json"}
  ]})");
  // The session file from a pipe, its commands to another; the report on stderr.
  Result r = runWithInput({"session", "-"}, "rig.json");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out.rfind("#mint-commands 1\n", 0), 0u) << r.out;
  EXPECT_NE(r.err.find("Mint_Pivots sent 19 commands:\n"), npos) << r.err;
  EXPECT_NE(r.err.find("Saved the scene to out/rig.json\n"), npos) << r.err;
  EXPECT_TRUE(exists("out/rig.json"));

  write("twice.json", R"({"steps": [
    {"load": "-"},
    {"save": "-"}, {"save": "-"}
  ]})");
  r = run({"session", "twice.json"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err,
            "layout-sim: \"save\" at twice.json:3:14 and \"save\" at twice.json:3:29 cannot both write to "
            "standard output (-)\n");

  r = runWithInput({"session", "-"}, "twice.json");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err,
            "layout-sim: the session file and \"load\" at standard input:2:14 cannot both read standard "
            "input (-)\n");
  EXPECT_FALSE(exists("-"));
}

}  // namespace
}  // namespace sim::cli_test

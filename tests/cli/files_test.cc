// Links, FIFOs, device nodes, closed and full standard output: POSIX only.
#ifndef _WIN32
// layout-sim and the user's files: what it writes replaces only a regular
// file, through links, never a write-protected one unless forced; what it
// reads is a regular file or standard input; standard output that cannot be
// written is a failure; names reach the SVG and the terminal escaped.
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "layout_sim.h"

namespace sim::cli_test {
namespace {

using Files = LayoutSim;
constexpr auto npos = std::string::npos;

bool isFifo(const std::string &path) {
  struct stat status = {};
  return ::lstat(path.c_str(), &status) == 0 && S_ISFIFO(status.st_mode);
}

TEST_F(Files, EveryOutputWritesThroughALinkAndKeepsIt) {
  for (const char *option : {"--save", "--commands"}) {
    const std::string target = std::string(option + 2) + ".txt";
    write(target, "old");
    std::filesystem::create_symlink(target, path("link-" + target));
    const Result r = run({"run", "Mint_Pivots", option, "link-" + target});
    ASSERT_EQ(r.status, 0) << option << r.err;
    EXPECT_TRUE(std::filesystem::is_symlink(path("link-" + target))) << option;
    EXPECT_NE(read(target), "old") << option;
  }
  write("panel.svg", "old");
  std::filesystem::create_symlink("panel.svg", path("link.svg"));
  ASSERT_EQ(run({"panel", "Mint_Pivots", "--svg", "link.svg"}).status, 0);
  EXPECT_TRUE(std::filesystem::is_symlink(path("link.svg")));
  EXPECT_NE(read("panel.svg").find("<svg "), npos);
}

TEST_F(Files, OnlyARegularFileIsReplacedAndAWriteProtectedOneOnlyWithForce) {
  ASSERT_EQ(::mkfifo(path("fifo").c_str(), 0644), 0);
  std::filesystem::create_directory(path("folder"));
  // A null device of the test's own (where allowed), so that a fault here
  // can never replace the system's.
  std::vector<std::string> targets = {"fifo", "folder"};
  if (::mknod(path("device").c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0) targets.push_back("device");
  for (const std::string &target : targets) {
    for (const char *option : {"--save", "--commands"}) {
      const Result r = run({"run", "Mint_Pivots", option, target});
      EXPECT_EQ(r.status, 1) << option << " " << target;
      EXPECT_NE(r.err.find(target + ": it is a"), npos) << r.err;
      EXPECT_NE(r.err.find("not a regular file"), npos) << r.err;
    }
    const Result r = run({"panel", "Mint_Pivots", "--svg", target});
    EXPECT_EQ(r.status, 1) << target;
  }
  EXPECT_TRUE(isFifo(path("fifo")));
  struct stat device = {};
  if (targets.size() == 3) {
    ASSERT_EQ(::lstat(path("device").c_str(), &device), 0);
    EXPECT_TRUE(S_ISCHR(device.st_mode));
  }
  EXPECT_TRUE(std::filesystem::is_directory(path("folder")));

  write("kept.json", "old");
  ASSERT_EQ(::chmod(path("kept.json").c_str(), 0444), 0);
  Result r = run({"run", "Mint_Pivots", "--save", "kept.json"});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("kept.json: it is write-protected; --force replaces it"), npos) << r.err;
  EXPECT_EQ(read("kept.json"), "old");
  r = run({"run", "Mint_Pivots", "--save", "kept.json", "--force"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(read("kept.json"), "old");
  struct stat kept = {};
  ASSERT_EQ(::stat(path("kept.json").c_str(), &kept), 0);
  EXPECT_EQ(kept.st_mode & 0777, 0444u);
}

TEST_F(Files, ALongNameSavesAndNoTemporaryIsLeft) {
  const std::string name(250, 'n');
  const Result r = run({"run", "Mint_Pivots", "--save", name, "--commands", name + ".txt"});
  ASSERT_EQ(r.status, 0) << r.err;
  std::vector<std::string> names;
  for (const auto &entry : std::filesystem::directory_iterator(path(".")))
    names.push_back(entry.path().filename());
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{name, name + ".txt"}));
}

TEST_F(Files, InputsAreRegularFilesOrStandardInput) {
  ASSERT_EQ(::mkfifo(path("fifo").c_str(), 0644), 0);
  for (const char *input : {"/dev/zero", "fifo"}) {
    Result r = run({"run", "Mint_Pivots", "--scene", input});
    EXPECT_EQ(r.status, 1);
    // Worded as for every file read, whatever the scene's format.
    EXPECT_NE(r.err.find("cannot read scene " + std::string(input) + ": it is not a regular file"), npos)
        << r.err;
    r = run({"session", input});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("cannot read session file " + std::string(input) + ": it is not a regular file"),
              npos)
        << r.err;
    r = run({"replay", input});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("cannot read command file " + std::string(input)), npos) << r.err;
  }
  // Standard input is "-"; here it is empty.
  const Result r = run({"replay", "-"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("standard input: 0 commands:"), npos) << r.out;
}

TEST_F(Files, StandardOutputThatCannotBeWrittenIsAFailure) {
  Result r = runWithOutputTo({"run", "Mint_Pivots"}, "/dev/full");
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("layout-sim: cannot write to standard output: No space left on device"), npos)
      << r.err;
  r = runWithOutputTo({"run", "Mint_Pivots"}, "");
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("layout-sim: cannot write to standard output"), npos) << r.err;
  // A closed standard output is not taken over by a file opened later.
  r = runWithOutputTo({"run", "Mint_Pivots", "--save", "rig.json"}, "");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(read("rig.json").rfind("{\n", 0), 0u);
  r = runWithOutputTo({"run", "Mint_Pivots", "--save", "-"}, "/dev/full");
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("No space left on device"), npos) << r.err;
  // A report of several buffers (1000 nulls), written while the next part is
  // put together; the scene is still saved whole, as with a closed output.
  r = runWithOutputTo({"run", "Mint_Pivots", "--set", "Num=1000", "--save", "big.json"}, "/dev/full");
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("layout-sim: cannot write to standard output: No space left on device"), npos)
      << r.err;
  r = run({"run", "Mint_Pivots", "--set", "Num=1000", "--save", "whole.json"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(read("big.json"), read("whole.json"));
}

TEST_F(Files, NamesAreEscapedInTheSvgAndTheListing) {
  // A byte that is not UTF-8 becomes U+FFFD, so the SVG stays well-formed.
  Result r = run({"panel", "Mint_Pivots", "--set", "name=Bad\xFF\xC3", "--svg", "bad.svg"});
  ASSERT_EQ(r.status, 0) << r.err;
  const std::string svg = read("bad.svg");
  EXPECT_EQ(svg.find('\xFF'), npos);
  EXPECT_NE(svg.find("Bad\xEF\xBF\xBD\xEF\xBF\xBD"), npos);
  // A name that looks like an option reaches no command line.
  r = run({"panel", "Mint_Pivots", "--set", "name=Bad\xFF", "--png=-dash.png"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(read("-dash.png").substr(0, 4), "\x89PNG");

  r = run({"run", "Mint_Pivots", "--set", "name=Evil\x1b[2J"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out.find('\x1b'), npos);
  EXPECT_NE(r.out.find("  ok  AddNull Evil\\x1b[2J\n"), npos) << r.out;
}

TEST_F(Files, OutOfRangeNumbersAreQuotedAsTyped) {
  Result r = run({"run", "Mint_Pivots", "--build", "99999999999999999999"});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("host build 99999999999999999999 out of range"), npos) << r.err;
  r = run({"run", "Mint_Pivots", "--dynamic-update", "-99999999999999999999"});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("dynamic update -99999999999999999999 out of range"), npos) << r.err;
  write("big.json", R"({"steps": [{"run": "Mint_Pivots", "build": 18446744073709551615}]})");
  r = run({"session", "big.json"});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("18446744073709551615 is out of range"), npos) << r.err;
}

}  // namespace
}  // namespace sim::cli_test
#endif  // _WIN32

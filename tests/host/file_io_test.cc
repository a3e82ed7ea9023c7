// Links, FIFOs, device nodes, modes and signals: what the careful writer and
// reader guard against exists on POSIX systems only.
#ifndef _WIN32
// Writing and reading the user's files: a save replaces the target whole or
// leaves it untouched, cannot be redirected through a planted temporary, and
// leaves nothing behind on failure or on a signal; reading takes only regular
// files within the size limit.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "host/files/file_problem.h"
#include "host/files/input_file.h"
#include "host/files/output_file.h"
#include "host/scene_files/scene_file.h"
#include "tests/host/test_support.h"

namespace layout {
namespace {

class FileIo : public ::testing::Test {
 protected:
  void SetUp() override { dir_ = layout::testing::newTemporaryFolder("file_io"); }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  std::string path(const std::string &name) const { return dir_ + "/" + name; }
  void write(const std::string &name, const std::string &text) const { std::ofstream(path(name)) << text; }
  std::string read(const std::string &name) const {
    std::ifstream in(path(name));
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
  }
  std::vector<std::string> files() const {
    std::vector<std::string> names;
    for (const auto &entry : std::filesystem::directory_iterator(dir_))
      names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    return names;
  }

  std::string dir_;
};

FileProblem::Kind problemKind(const std::function<void()> &work) {
  try {
    work();
  } catch (const FileProblem &problem) {
    return problem.kind();
  }
  ADD_FAILURE() << "no problem reported";
  return FileProblem::Kind::kSystem;
}

TEST_F(FileIo, APlantedLinkAtATemporaryNameRedirectsNothing) {
  // Where a temporary used to be made: the target's name and the process ID.
  write("victim", "precious");
  std::filesystem::create_symlink(path("victim"), path("rig.json.tmp" + std::to_string(::getpid())));
  Host host;
  ASSERT_FALSE(readScene(defaultScene(), "default", host));
  ASSERT_EQ(saveSceneFile(path("rig.json"), host), std::nullopt);
  EXPECT_EQ(read("victim"), "precious");
  EXPECT_EQ(read("rig.json"), writeScene(host));
}

TEST_F(FileIo, AStreamIsCommittedWholeOrNotAtAll) {
  write("rig.json", "old");
  const std::string line(1000, 'x');
  {
    OutputFile file(path("rig.json"));
    for (int i = 0; i < 200; ++i) file.write(line + "\n");
    EXPECT_EQ(read("rig.json"), "old");  // not before the commit
  }
  EXPECT_EQ(read("rig.json"), "old");  // never committed
  EXPECT_EQ(files(), std::vector<std::string>{"rig.json"});

  OutputFile file(path("rig.json"));
  for (int i = 0; i < 200; ++i) file.write(line + "\n");
  file.commit();
  EXPECT_EQ(read("rig.json").size(), 200u * 1001u);
  EXPECT_EQ(files(), std::vector<std::string>{"rig.json"});
}

TEST_F(FileIo, ANewFileGetsTheUsualPermissions) {
  const mode_t mask = ::umask(022);
  writeFileAtomically(path("new.txt"), "text");
  ::umask(mask);
  struct stat status = {};
  ASSERT_EQ(::stat(path("new.txt").c_str(), &status), 0);
  EXPECT_EQ(status.st_mode & 0777, 0644u);
}

TEST_F(FileIo, WhatIsNotARegularFileIsRefused) {
  ASSERT_EQ(::mkfifo(path("fifo").c_str(), 0644), 0);
  std::filesystem::create_symlink("fifo", path("link"));
  for (const char *name : {"fifo", "link"}) {
    EXPECT_EQ(problemKind([&] { writeFileAtomically(path(name), "x"); }), FileProblem::Kind::kNotRegular);
  }
  write("ro", "old");
  ASSERT_EQ(::chmod(path("ro").c_str(), 0444), 0);
  EXPECT_EQ(problemKind([&] { writeFileAtomically(path("ro"), "new"); }), FileProblem::Kind::kWriteProtected);
  writeFileAtomically(path("ro"), "new", {.replaceWriteProtected = true});
  EXPECT_EQ(read("ro"), "new");
  EXPECT_EQ(files(), (std::vector<std::string>{"fifo", "link", "ro"}));
  // A null device of the test's own (where allowed): a fault here must not
  // replace the system's.
  if (::mknod(path("device").c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0) {
    EXPECT_EQ(problemKind([&] { writeFileAtomically(path("device"), "x"); }), FileProblem::Kind::kNotRegular);
    struct stat device = {};
    ASSERT_EQ(::lstat(path("device").c_str(), &device), 0);
    EXPECT_TRUE(S_ISCHR(device.st_mode));
  }
}

TEST_F(FileIo, ASignalDuringASaveRemovesTheTemporary) {
  write("rig.json", "old");
  for (int signal : {SIGTERM, SIGINT}) {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      OutputFile file(path("rig.json"));
      file.write(std::string(1 << 20, 'x'));
      ::raise(signal);
      ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal) << status;
    EXPECT_EQ(files(), std::vector<std::string>{"rig.json"});
    EXPECT_EQ(read("rig.json"), "old");
  }
}

TEST_F(FileIo, ReadingTakesRegularFilesWithinTheLimit) {
  write("small", "0123456789");
  EXPECT_EQ(readInputFile(path("small")), "0123456789");
  EXPECT_EQ(problemKind([&] { readInputFile(path("small"), 9); }), FileProblem::Kind::kTooLarge);
  EXPECT_EQ(problemKind([&] { readInputFile("/dev/zero"); }), FileProblem::Kind::kNotRegular);
  EXPECT_EQ(problemKind([&] { readInputFile(dir_); }), FileProblem::Kind::kNotRegular);
  ASSERT_EQ(::mkfifo(path("fifo").c_str(), 0644), 0);
  EXPECT_EQ(problemKind([&] { readInputFile(path("fifo")); }), FileProblem::Kind::kNotRegular);

  // Standard input is read as a stream, and an endless one stops at the limit.
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    ::dup2(::open("/dev/zero", O_RDONLY), STDIN_FILENO);
    try {
      readInputFile("-", 1 << 20);
    } catch (const FileProblem &problem) {
      ::_exit(problem.kind() == FileProblem::Kind::kTooLarge ? 0 : 1);
    }
    ::_exit(2);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
}

TEST_F(FileIo, AFileMappedOrReadGivesTheSameBytesAndIsLeftAsItWas) {
  const size_t page = static_cast<size_t>(::sysconf(_SC_PAGESIZE));
  const std::vector<std::string> contents = {"",
                                             "x",
                                             std::string(page - 1, 'a') + "\n",
                                             std::string(page, 'b'),
                                             std::string(page + 1, 'c'),
                                             "{\"format\": \"mint-scene\"}  no line break at the end"};
  for (const std::string &content : contents) {
    SCOPED_TRACE(content.size());
    write("file", content);
    InputBytes mapped = readInputBytes(path("file"));
    const InputBytes copied = readInputBytes(path("file"), kLargestInput, false);
    EXPECT_EQ(mapped.view(), content);
    EXPECT_EQ(copied.view(), content);
    EXPECT_EQ(mapped.mapped(), !content.empty());
    EXPECT_FALSE(copied.mapped());
    // The bytes outlive a move, and a string of their own outlives them.
    InputBytes moved = std::move(mapped);
    EXPECT_EQ(moved.view(), content);
    EXPECT_EQ(moved.take(), content);
    EXPECT_TRUE(moved.view().empty());
    EXPECT_EQ(read("file"), content);
  }
  // What cannot be read is refused as by the plain reader.
  EXPECT_EQ(problemKind([&] { readInputBytes(path("file"), 9); }), FileProblem::Kind::kTooLarge);
  EXPECT_EQ(problemKind([&] { readInputBytes(dir_); }), FileProblem::Kind::kNotRegular);
  EXPECT_EQ(problemKind([&] { readInputBytes(path("none")); }), FileProblem::Kind::kSystem);

  // Standard input redirected from a file is taken from where it stands.
  write("input", "skipped:the rest");
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    const int file = ::open(path("input").c_str(), O_RDONLY);
    ::lseek(file, 8, SEEK_SET);
    ::dup2(file, STDIN_FILENO);
    const InputBytes bytes = readInputBytes("-");
    ::_exit(bytes.view() == "the rest" && !bytes.mapped() ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
}

// Another program shortening a mapped scene mid-read used to end the process
// with a bus error. The lost bytes now read as zeros, and the load fails
// naming the file, with the host's scene as it was.
TEST_F(FileIo, AMappedSceneShortenedWhileReadFailsTheLoadInsteadOfCrashing) {
  const size_t page = static_cast<size_t>(::sysconf(_SC_PAGESIZE));
  std::string scene = "{\"format\": \"mint-scene\", \"version\": 1, \"items\": [";
  for (int i = 0; scene.size() < 4 * page; ++i) {
    scene +=
        (i ? ", " : "") + std::string("{\"type\": \"object\", \"name\": \"Body") + std::to_string(i) + "\"}";
  }
  scene += "]}\n";
  write("rig.json", scene);
  Host host;
  const size_t itemsBefore = host.scene().itemCount();

  InputBytes whole = readInputBytes(path("rig.json"));
  ASSERT_TRUE(whole.mapped());
  InputBytes shortened = readInputBytes(path("rig.json"));
  ASSERT_EQ(::truncate(path("rig.json").c_str(), static_cast<off_t>(page + 10)), 0);
  // Both mappings lost their pages past the new end; each says so only once
  // a lost page was touched.
  EXPECT_FALSE(shortened.cutShort());
  EXPECT_EQ(shortened.view().substr(0, 10), scene.substr(0, 10));
  EXPECT_EQ(shortened.view()[3 * page], '\0');
  EXPECT_TRUE(shortened.cutShort());
  EXPECT_FALSE(whole.cutShort());

  try {
    readScene(whole, path("rig.json"), host);
    ADD_FAILURE() << "a shortened file was read as a scene";
  } catch (const FileProblem &problem) {
    EXPECT_EQ(problem.what(), "cannot read " + path("rig.json") + ": it changed size while it was read");
  }
  EXPECT_EQ(host.scene().itemCount(), itemsBefore);

  // A file left alone still loads, from a fresh mapping; and a bus error
  // that is not from a watched mapping still ends the process.
  write("rig.json", scene);
  EXPECT_FALSE(loadSceneFile(path("rig.json"), host).has_value());
  EXPECT_GT(host.scene().itemCount(), 100u);
  // Whoever handled bus errors before (a sanitizer, say) still has them.
  EXPECT_DEATH(::raise(SIGBUS), "");
}

}  // namespace
}  // namespace layout
#endif  // _WIN32

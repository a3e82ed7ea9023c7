// Runs the built layout-sim as a user does, in a temporary folder of its own
// per test, and hands back its exit status and what it printed.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace sim::cli_test {

// The module's file name, as this system's build names it.
#ifdef _WIN32
inline constexpr const char *kModuleFile = "mint.p";
#else
inline constexpr const char *kModuleFile = "mint.so";
#endif

struct Result {
  int status = -1;
  std::string out;
  std::string err;
};

class LayoutSim : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Runs layout-sim with `arguments`, in the test's folder.
  Result run(const std::vector<std::string> &arguments) { return runWith(arguments, processEnvironment()); }
  // The same with standard input read from the test folder's file `input`.
  Result runWithInput(const std::vector<std::string> &arguments, const std::string &input);
  // The same with PATH set to `searchPath`.
  Result runWithPath(const std::vector<std::string> &arguments, const std::string &searchPath);
  // The same with standard output sent to `target` (such as /dev/full), or
  // closed when `target` is empty; `out` stays empty.
  Result runWithOutputTo(const std::vector<std::string> &arguments, const std::string &target) {
    return runWith(arguments, processEnvironment(), "", &target);
  }
  // A path in the test's folder.
  std::string path(const std::string &name) const { return (dir_ / name).string(); }
  void write(const std::string &name, const std::string &text) const;
  std::string read(const std::string &name) const;
  bool exists(const std::string &name) const { return std::filesystem::exists(dir_ / name); }

 private:
  static std::vector<std::string> processEnvironment();
  Result runWith(const std::vector<std::string> &arguments, std::vector<std::string> environment,
                 const std::string &input = "",
                 const std::string *outputTarget = nullptr);  // "": the null device

  std::filesystem::path dir_;
};

// How many lines of `text` contain `part`.
int countLines(const std::string &text, const std::string &part);

}  // namespace sim::cli_test

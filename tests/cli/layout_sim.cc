#include "layout_sim.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

extern char **environ;  // NOLINT: the process environment

namespace sim::cli_test {

void LayoutSim::SetUp() {
  std::string pattern = (std::filesystem::temp_directory_path() / "layout-sim-test-XXXXXX").string();
  ASSERT_NE(mkdtemp(pattern.data()), nullptr);
  dir_ = pattern;
}

void LayoutSim::TearDown() {
  std::error_code ignored;
  std::filesystem::remove_all(dir_, ignored);
}

std::vector<std::string> LayoutSim::environ() {
  std::vector<std::string> environment;
  for (char **entry = ::environ; *entry; ++entry) environment.emplace_back(*entry);
  return environment;
}

Result LayoutSim::runWithPath(const std::vector<std::string> &arguments, const std::string &searchPath) {
  std::vector<std::string> environment = environ();
  std::erase_if(environment, [](const std::string &entry) { return entry.rfind("PATH=", 0) == 0; });
  environment.push_back("PATH=" + searchPath);
  return runWith(arguments, environment);
}

Result LayoutSim::runWithInput(const std::vector<std::string> &arguments, const std::string &input) {
  return runWith(arguments, environ(), path(input));
}

Result LayoutSim::runWith(const std::vector<std::string> &arguments, std::vector<std::string> environment,
                          const std::string &input, const std::string *outputTarget) {
  std::vector<std::string> words = {LAYOUT_SIM_PATH};
  words.insert(words.end(), arguments.begin(), arguments.end());
  std::vector<char *> argv;
  for (std::string &word : words) argv.push_back(word.data());
  argv.push_back(nullptr);
  std::vector<char *> envp;
  for (std::string &entry : environment) envp.push_back(entry.data());
  envp.push_back(nullptr);

  const std::string out = path(".stdout"), err = path(".stderr");
  posix_spawn_file_actions_t files;
  posix_spawn_file_actions_init(&files);
  posix_spawn_file_actions_addopen(&files, STDIN_FILENO, input.c_str(), O_RDONLY, 0);
  if (!outputTarget) {
    posix_spawn_file_actions_addopen(&files, STDOUT_FILENO, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  } else if (outputTarget->empty()) {
    posix_spawn_file_actions_addclose(&files, STDOUT_FILENO);
  } else {
    posix_spawn_file_actions_addopen(&files, STDOUT_FILENO, outputTarget->c_str(), O_WRONLY, 0);
  }
  posix_spawn_file_actions_addopen(&files, STDERR_FILENO, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addchdir_np(&files, dir_.c_str());
  pid_t child = 0;
  Result result;
  const int error = posix_spawn(&child, argv[0], &files, nullptr, argv.data(), envp.data());
  posix_spawn_file_actions_destroy(&files);
  EXPECT_EQ(error, 0) << "cannot start " << argv[0];
  if (error != 0) return result;
  int status = 0;
  waitpid(child, &status, 0);
  result.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  result.out = read(".stdout");
  result.err = read(".stderr");
  std::error_code ignored;
  std::filesystem::remove(out, ignored);
  std::filesystem::remove(err, ignored);
  return result;
}

void LayoutSim::write(const std::string &name, const std::string &text) const {
  std::ofstream(dir_ / name, std::ios::binary) << text;
}

std::string LayoutSim::read(const std::string &name) const {
  std::ifstream in(dir_ / name, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

int countLines(const std::string &text, const std::string &part) {
  std::istringstream lines(text);
  int count = 0;
  for (std::string line; std::getline(lines, line);) count += line.find(part) != std::string::npos ? 1 : 0;
  return count;
}

}  // namespace sim::cli_test

#include "layout_sim.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <cstdlib>
#include <fstream>
#include <sstream>

#ifdef _WIN32
#define PROCESS_ENVIRONMENT _environ
#else
extern char **environ;  // NOLINT: the process environment
#define PROCESS_ENVIRONMENT ::environ
#endif

namespace sim::cli_test {
namespace {

#ifdef _WIN32
// One word of a Windows command line, quoted so the C runtime splits it back.
std::string quoted(const std::string &word) {
  std::string text = "\"";
  size_t backslashes = 0;
  for (char c : word) {
    if (c == '\\') {
      ++backslashes;
      continue;
    }
    text.append(c == '"' ? 2 * backslashes + 1 : backslashes, '\\');
    backslashes = 0;
    text += c;
  }
  text.append(2 * backslashes, '\\');
  return text + "\"";
}

HANDLE inheritable(const std::string &file, DWORD access, DWORD creation) {
  SECURITY_ATTRIBUTES attributes = {sizeof attributes, nullptr, TRUE};
  return CreateFileA(file.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, &attributes, creation,
                     FILE_ATTRIBUTE_NORMAL, nullptr);
}

// Runs the program with its output in the two files; its exit status, or -1.
int spawn(const std::vector<std::string> &words, const std::vector<std::string> &environment,
          const std::filesystem::path &dir, const std::string &in, const std::string &out,
          const std::string &err) {
  std::string commandLine;
  for (const std::string &word : words) commandLine += (commandLine.empty() ? "" : " ") + quoted(word);
  std::string block;
  for (const std::string &entry : environment) block += entry + '\0';
  block += '\0';
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = inheritable(in.empty() ? "NUL" : in, GENERIC_READ, OPEN_EXISTING);
  startup.hStdOutput = inheritable(out, GENERIC_WRITE, CREATE_ALWAYS);
  startup.hStdError = inheritable(err, GENERIC_WRITE, CREATE_ALWAYS);
  PROCESS_INFORMATION process = {};
  const BOOL started = CreateProcessA(words[0].c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0,
                                      block.data(), dir.string().c_str(), &startup, &process);
  CloseHandle(startup.hStdInput);
  CloseHandle(startup.hStdOutput);
  CloseHandle(startup.hStdError);
  if (!started) return -1;
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD status = 0;
  GetExitCodeProcess(process.hProcess, &status);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return static_cast<int>(status);
}
#endif

}  // namespace

void LayoutSim::SetUp() {
  // A fresh folder per test, named for the test and a random number.
  const auto *test = ::testing::UnitTest::GetInstance()->current_test_info();
  for (int attempt = 0; attempt < 100 && dir_.empty(); ++attempt) {
    const auto candidate =
        std::filesystem::temp_directory_path() /
        ("layout-sim-test-" + std::string(test->name()) + "-" + std::to_string(std::rand()));
    if (std::filesystem::create_directory(candidate)) dir_ = candidate;
  }
  ASSERT_FALSE(dir_.empty());
}

void LayoutSim::TearDown() {
  std::error_code ignored;
  std::filesystem::remove_all(dir_, ignored);
}

std::vector<std::string> LayoutSim::processEnvironment() {
  std::vector<std::string> environment;
  for (char **entry = PROCESS_ENVIRONMENT; *entry; ++entry) environment.emplace_back(*entry);
  return environment;
}

Result LayoutSim::runWithPath(const std::vector<std::string> &arguments, const std::string &searchPath) {
  std::vector<std::string> environment = processEnvironment();
  std::erase_if(environment, [](const std::string &entry) { return entry.rfind("PATH=", 0) == 0; });
  environment.push_back("PATH=" + searchPath);
  return runWith(arguments, environment);
}

Result LayoutSim::runWithInput(const std::vector<std::string> &arguments, const std::string &input) {
  return runWith(arguments, processEnvironment(), path(input));
}

Result LayoutSim::runWith(const std::vector<std::string> &arguments, std::vector<std::string> environment,
                          const std::string &input, const std::string *outputTarget) {
  std::vector<std::string> words = {LAYOUT_SIM_PATH};
  words.insert(words.end(), arguments.begin(), arguments.end());
  const std::string out = path(".stdout"), err = path(".stderr");
  Result result;
#ifdef _WIN32
  (void)outputTarget;  // standard output always goes to the file here
  result.status = spawn(words, environment, dir_, input, out, err);
  EXPECT_NE(result.status, -1) << "cannot start " << words[0];
  if (result.status == -1) return result;
#else
  std::vector<char *> argv;
  for (std::string &word : words) argv.push_back(word.data());
  argv.push_back(nullptr);
  std::vector<char *> envp;
  for (std::string &entry : environment) envp.push_back(entry.data());
  envp.push_back(nullptr);

  posix_spawn_file_actions_t files;
  posix_spawn_file_actions_init(&files);
  posix_spawn_file_actions_addopen(&files, STDIN_FILENO, input.empty() ? "/dev/null" : input.c_str(),
                                   O_RDONLY, 0);
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
  const int error = posix_spawn(&child, argv[0], &files, nullptr, argv.data(), envp.data());
  posix_spawn_file_actions_destroy(&files);
  EXPECT_EQ(error, 0) << "cannot start " << argv[0];
  if (error != 0) return result;
  int status = 0;
  waitpid(child, &status, 0);
  result.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
#endif
  result.out = read(".stdout");
  result.err = read(".stderr");
  // Wine may not have let go of the files yet; the folder goes at tear-down.
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

#include "tools/png_output.h"

#ifdef _WIN32
#include <io.h>
#include <process.h>
#else
#include <spawn.h>
#include <sys/wait.h>
#endif

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include "tools/cli_error.h"
#include "tools/files.h"

#ifndef _WIN32
extern char **environ;
#endif

namespace sim {
namespace {

// The SVG in an unnamed temporary file, rewound for the converter to read.
std::unique_ptr<std::FILE, int (*)(std::FILE *)> svgInput(const std::string &path, std::string_view svg) {
  std::unique_ptr<std::FILE, int (*)(std::FILE *)> file(std::tmpfile(), &std::fclose);
  if (!file || std::fwrite(svg.data(), 1, svg.size(), file.get()) != svg.size() ||
      std::fflush(file.get()) != 0 || std::fseek(file.get(), 0, SEEK_SET) != 0) {
    throw badInput("cannot write " + path +
                   ": cannot keep the SVG for rsvg-convert: " + std::strerror(errno));
  }
  return file;
}

#ifdef _WIN32
// The converter's exit status, as a wait status would carry it.
bool exitedNormally(int) { return true; }
int exitStatus(int status) { return status; }

// Runs rsvg-convert with `input` and `output` as its standard streams, which
// a child inherits from this process on Windows; 0 or an errno value.
int spawnConverter(char *const *argv, int input, int output, int &status) {
  std::fflush(stdout);
  const int savedIn = ::_dup(0), savedOut = ::_dup(1);
  ::_dup2(input, 0);
  ::_dup2(output, 1);
  const intptr_t result = ::_spawnvp(_P_WAIT, argv[0], argv);
  const int spawnErrno = errno;
  ::_dup2(savedIn, 0);
  ::_dup2(savedOut, 1);
  ::_close(savedIn);
  ::_close(savedOut);
  if (result == -1) return spawnErrno;
  status = static_cast<int>(result);
  return 0;
}
#else
bool exitedNormally(int status) { return WIFEXITED(status); }
int exitStatus(int status) { return WEXITSTATUS(status); }

int spawnConverter(char *const *argv, int input, int output, int &status) {
  posix_spawn_file_actions_t files;
  posix_spawn_file_actions_init(&files);
  posix_spawn_file_actions_adddup2(&files, input, 0);
  posix_spawn_file_actions_adddup2(&files, output, 1);
  pid_t child = 0;
  const int spawnError = posix_spawnp(&child, argv[0], &files, nullptr, argv, environ);
  posix_spawn_file_actions_destroy(&files);
  if (spawnError != 0) return spawnError;
  while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  return 0;
}
#endif

// Runs rsvg-convert from `input` to `output`; its wait status, or throws.
int convert(const std::string &path, int input, int output) {
  std::vector<std::string> arguments = {"rsvg-convert", "--format=png", "--zoom=2"};
  std::vector<char *> argv;
  for (std::string &argument : arguments) argv.push_back(argument.data());
  argv.push_back(nullptr);
  int status = 0;
  const int spawnError = spawnConverter(argv.data(), input, output, status);
  if (spawnError == ENOENT) {
    throw badInput("cannot write " + path +
                   ": rsvg-convert was not found on PATH; install it (Debian package librsvg2-bin, or "
                   "scripts/setup) or write --svg instead");
  }
  if (spawnError != 0)
    throw badInput("cannot run rsvg-convert for " + path + ": " + std::strerror(spawnError));
  return status;
}

}  // namespace

void writePng(const std::string &path, std::string_view svg, bool force) {
  makeParentFolders(path);
  try {
    layout::OutputFile png(path, {.replaceWriteProtected = force});
    const auto input = svgInput(path, svg);
    const int status = convert(path, fileno(input.get()), png.descriptor());
    if (!exitedNormally(status) || exitStatus(status) != 0) {
      throw badInput("cannot write " + path + ": rsvg-convert failed" +
                     (exitedNormally(status) ? " with exit status " + std::to_string(exitStatus(status))
                                             : std::string()));
    }
    png.commit();
  } catch (const layout::FileProblem &problem) {
    throw fileError(problem);
  }
}

}  // namespace sim

#include "tools/png_output.h"

#ifdef _WIN32
#include <process.h>
#else
#include <spawn.h>
#include <sys/wait.h>
#endif

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

#include "host/replace_file.h"
#include "tools/cli_error.h"
#include "tools/files.h"

#ifndef _WIN32
extern char **environ;
#endif

namespace sim {
namespace {

struct Converted {
  int spawnError;  // errno of starting the converter, 0 when it ran
  bool exited;     // it ended normally
  int exitStatus;
};

// Runs the converter found on PATH and waits for it.
Converted runConverter(std::vector<char *> &argv) {
#ifdef _WIN32
  const intptr_t status = _spawnvp(_P_WAIT, argv[0], argv.data());
  if (status == -1) return {errno, false, 0};
  return {0, true, static_cast<int>(status)};
#else
  pid_t child = 0;
  const int spawnError = posix_spawnp(&child, argv[0], nullptr, nullptr, argv.data(), environ);
  if (spawnError != 0) return {spawnError, false, 0};
  int status = 0;
  while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  return {0, WIFEXITED(status), WIFEXITED(status) ? WEXITSTATUS(status) : 0};
#endif
}

}  // namespace

void writePng(const std::string &path, std::string_view svg) {
  makeParentFolders(path);
  const std::string svgFile = temporaryBeside(path) + ".svg";
  const std::string pngFile = temporaryBeside(path);
  writeFileAtomically(svgFile, svg);
  std::vector<std::string> arguments = {"rsvg-convert", "--format=png", "--zoom=2", "--output=" + pngFile,
                                        svgFile};
  std::vector<char *> argv;
  for (std::string &argument : arguments) argv.push_back(argument.data());
  argv.push_back(nullptr);
  const Converted converted = runConverter(argv);
  const int spawnError = converted.spawnError;
  std::remove(svgFile.c_str());
  if (spawnError == ENOENT) {
    throw badInput("cannot write " + path +
                   ": rsvg-convert was not found on PATH; install it (Debian package librsvg2-bin, or "
                   "scripts/setup) or write --svg instead");
  }
  if (spawnError != 0)
    throw badInput("cannot run rsvg-convert for " + path + ": " + std::strerror(spawnError));
  if (!converted.exited || converted.exitStatus != 0) {
    std::remove(pngFile.c_str());
    throw badInput(
        "cannot write " + path + ": rsvg-convert failed" +
        (converted.exited ? " with exit status " + std::to_string(converted.exitStatus) : std::string()));
  }
  if (const int renameErrno = layout::replaceFile(pngFile, path)) {
    std::remove(pngFile.c_str());
    throw badInput("cannot write " + path + ": " + std::strerror(renameErrno));
  }
}

}  // namespace sim

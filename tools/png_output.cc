#include "tools/png_output.h"

#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

#include "tools/cli_error.h"
#include "tools/files.h"

extern char **environ;

namespace sim {

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
  pid_t child = 0;
  const int spawnError = posix_spawnp(&child, "rsvg-convert", nullptr, nullptr, argv.data(), environ);
  int status = 0;
  if (spawnError == 0) {
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
  }
  std::remove(svgFile.c_str());
  if (spawnError == ENOENT) {
    throw badInput("cannot write " + path +
                   ": rsvg-convert was not found on PATH; install it (Debian package librsvg2-bin, or "
                   "scripts/setup) or write --svg instead");
  }
  if (spawnError != 0)
    throw badInput("cannot run rsvg-convert for " + path + ": " + std::strerror(spawnError));
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    std::remove(pngFile.c_str());
    throw badInput(
        "cannot write " + path + ": rsvg-convert failed" +
        (WIFEXITED(status) ? " with exit status " + std::to_string(WEXITSTATUS(status)) : std::string()));
  }
  if (std::rename(pngFile.c_str(), path.c_str()) != 0) {
    const int renameErrno = errno;
    std::remove(pngFile.c_str());
    throw badInput("cannot write " + path + ": " + std::strerror(renameErrno));
  }
}

}  // namespace sim

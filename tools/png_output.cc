#include "tools/png_output.h"

#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include "tools/cli_error.h"
#include "tools/files.h"

extern char **environ;

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

// Runs rsvg-convert from `input` to `output`; its wait status, or throws.
int convert(const std::string &path, int input, int output) {
  std::vector<std::string> arguments = {"rsvg-convert", "--format=png", "--zoom=2"};
  std::vector<char *> argv;
  for (std::string &argument : arguments) argv.push_back(argument.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t files;
  posix_spawn_file_actions_init(&files);
  posix_spawn_file_actions_adddup2(&files, input, 0);
  posix_spawn_file_actions_adddup2(&files, output, 1);
  pid_t child = 0;
  const int spawnError = posix_spawnp(&child, "rsvg-convert", &files, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&files);
  if (spawnError == ENOENT) {
    throw badInput("cannot write " + path +
                   ": rsvg-convert was not found on PATH; install it (Debian package librsvg2-bin, or "
                   "scripts/setup) or write --svg instead");
  }
  if (spawnError != 0)
    throw badInput("cannot run rsvg-convert for " + path + ": " + std::strerror(spawnError));
  int status = 0;
  while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  return status;
}

}  // namespace

void writePng(const std::string &path, std::string_view svg, bool force) {
  makeParentFolders(path);
  try {
    layout::OutputFile png(path, {.replaceWriteProtected = force});
    const auto input = svgInput(path, svg);
    const int status = convert(path, fileno(input.get()), png.descriptor());
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
      throw badInput(
          "cannot write " + path + ": rsvg-convert failed" +
          (WIFEXITED(status) ? " with exit status " + std::to_string(WEXITSTATUS(status)) : std::string()));
    }
    png.commit();
  } catch (const layout::FileProblem &problem) {
    throw fileError(problem);
  }
}

}  // namespace sim

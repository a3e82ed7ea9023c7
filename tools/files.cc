#include "tools/files.h"

#include <filesystem>
#include <iostream>

#include "host/files/input_file.h"

namespace sim {

CliError fileError(const layout::FileProblem &problem) {
  if (problem.kind() == layout::FileProblem::Kind::kWriteProtected)
    return badInput(std::string(problem.what()) + "; --force replaces it");
  return badInput(problem.what());
}

void makeParentFolders(const std::string &path) {
  if (path == layout::kStandardStream) return;
  const std::filesystem::path parent = std::filesystem::path(path).parent_path();
  if (parent.empty()) return;
  std::error_code error;
  std::filesystem::create_directories(parent, error);
  if (error) throw badInput("cannot create folder " + parent.string() + ": " + error.message());
}

void writeFileAtomically(const std::string &path, std::string_view content, bool force) {
  makeParentFolders(path);
  try {
    layout::writeFileAtomically(path, content, {.replaceWriteProtected = force});
  } catch (const layout::FileProblem &problem) {
    throw fileError(problem);
  }
}

CliError cannotRead(const layout::FileProblem &problem, const std::string &what) {
  return badInput("cannot read " + what + " " + problem.path() + ": " + problem.reason());
}

std::string readFile(const std::string &path, const std::string &what) {
  try {
    return layout::readInputFile(path);
  } catch (const layout::FileProblem &problem) {
    throw cannotRead(problem, what);
  }
}

namespace {

// The one file among `files` given as "-", if any; throws when two are.
const NamedFile *onStandardStream(const std::vector<NamedFile> &files, const char *stream) {
  const NamedFile *found = nullptr;
  for (const NamedFile &file : files) {
    if (file.path != layout::kStandardStream) continue;
    if (found) throw badInput(found->what + " and " + file.what + " cannot both " + stream + " (-)");
    found = &file;
  }
  return found;
}

}  // namespace

std::string inputName(const std::string &path) {
  return path == layout::kStandardStream ? "standard input" : path;
}

std::ostream &claimStandardStreams(const std::vector<NamedFile> &inputs,
                                   const std::vector<NamedFile> &outputs) {
  onStandardStream(inputs, "read standard input");
  return onStandardStream(outputs, "write to standard output") ? std::cerr : std::cout;
}

}  // namespace sim

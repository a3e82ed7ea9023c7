#include "tools/files.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

#include "host/replace_file.h"
#include "tools/cli_error.h"

namespace sim {

void makeParentFolders(const std::string &path) {
  const std::filesystem::path parent = std::filesystem::path(path).parent_path();
  if (parent.empty()) return;
  std::error_code error;
  std::filesystem::create_directories(parent, error);
  if (error) throw badInput("cannot create folder " + parent.string() + ": " + error.message());
}

std::string temporaryBeside(const std::string &path) {
  static int counter = 0;
  return path + ".tmp." + std::to_string(getpid()) + "." + std::to_string(++counter);
}

void writeFileAtomically(const std::string &path, std::string_view content) {
  if (path == kStandardStream) {
    std::cout.flush();
    if (std::fwrite(content.data(), 1, content.size(), stdout) != content.size() || std::fflush(stdout) != 0)
      throw badInput(std::string("cannot write to standard output: ") + std::strerror(errno));
    return;
  }
  makeParentFolders(path);
  const std::string temporary = temporaryBeside(path);
  std::FILE *file = std::fopen(temporary.c_str(), "wb");
  if (!file) throw badInput("cannot write " + path + ": " + std::strerror(errno));
  const bool written = std::fwrite(content.data(), 1, content.size(), file) == content.size();
  const int writeErrno = errno;
  const bool closed = std::fclose(file) == 0;
  if (!written || !closed) {
    std::remove(temporary.c_str());
    throw badInput("cannot write " + path + ": " + std::strerror(written ? errno : writeErrno));
  }
  if (const int renameErrno = layout::replaceFile(temporary, path)) {
    std::remove(temporary.c_str());
    throw badInput("cannot write " + path + ": " + std::strerror(renameErrno));
  }
}

std::string readFile(const std::string &path, const std::string &what) {
  if (path == kStandardStream) {
    std::ostringstream text;
    text << std::cin.rdbuf();
    if (std::cin.bad()) throw badInput("cannot read " + what + " from standard input");
    return text.str();
  }
  std::error_code ignored;
  if (std::filesystem::is_directory(path, ignored))
    throw badInput("cannot read " + what + " " + path + ": it is a folder");
  std::ifstream in(path, std::ios::binary);
  if (!in) throw badInput("cannot read " + what + " " + path + ": " + std::strerror(errno));
  std::ostringstream text;
  text << in.rdbuf();
  if (in.bad()) throw badInput("cannot read " + what + " " + path + ": " + std::strerror(errno));
  return text.str();
}

}  // namespace sim

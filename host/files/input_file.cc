#include "host/files/input_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "host/files/file_problem.h"
#include "host/files/output_file.h"

namespace layout {
namespace {

#ifdef _WIN32
constexpr int kReadFlags = O_RDONLY | O_BINARY | O_NOINHERIT;
#else
// Non-blocking, so that opening a FIFO without a writer cannot hang.
constexpr int kReadFlags = O_RDONLY | O_CLOEXEC | O_NONBLOCK;
#endif

class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ > STDERR_FILENO) ::close(fd_);
  }
  Descriptor(const Descriptor &) = delete;
  Descriptor &operator=(const Descriptor &) = delete;
  int get() const { return fd_; }

 private:
  int fd_;
};

std::string tooLarge(uint64_t limit) {
  return "it is larger than " + std::to_string(limit >> 20) + " MiB, the most this program reads";
}

}  // namespace

std::string readInputFile(const std::string &path, uint64_t limit) {
  const bool standardInput = path == kStandardStream;
  const std::string shown = standardInput ? "standard input" : path;
  const auto problem = [&](FileProblem::Kind kind, const std::string &reason) {
    return FileProblem(kind, "read", shown, reason);
  };
  Descriptor file(standardInput ? STDIN_FILENO : ::open(path.c_str(), kReadFlags));
  if (file.get() < 0) throw problem(FileProblem::Kind::kSystem, std::strerror(errno));
  struct stat status = {};
  if (::fstat(file.get(), &status) != 0) throw problem(FileProblem::Kind::kSystem, std::strerror(errno));
  if (!standardInput) {
    if (S_ISDIR(status.st_mode)) throw problem(FileProblem::Kind::kNotRegular, "it is a folder");
    if (!S_ISREG(status.st_mode)) {
      throw problem(FileProblem::Kind::kNotRegular, "it is not a regular file; - reads standard input");
    }
    if (static_cast<uint64_t>(status.st_size) > limit)
      throw problem(FileProblem::Kind::kTooLarge, tooLarge(limit));
#ifndef _WIN32
    ::fcntl(file.get(), F_SETFL, ::fcntl(file.get(), F_GETFL) & ~O_NONBLOCK);
#endif
  }
  std::string text;
  if (S_ISREG(status.st_mode)) text.reserve(static_cast<size_t>(std::min<uint64_t>(status.st_size, limit)));
  char chunk[1 << 16];
  for (;;) {
    const ssize_t count = ::read(file.get(), chunk, sizeof chunk);
    if (count < 0 && errno == EINTR) continue;
    if (count < 0) throw problem(FileProblem::Kind::kSystem, std::strerror(errno));
    if (count == 0) return text;
    // A file that grows while it is read, or an endless stream, stops here.
    if (text.size() + static_cast<size_t>(count) > limit)
      throw problem(FileProblem::Kind::kTooLarge, tooLarge(limit));
    text.append(chunk, static_cast<size_t>(count));
  }
}

}  // namespace layout

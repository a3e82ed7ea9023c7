#include "host/files/input_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#ifndef _WIN32
#include <sys/mman.h>
#endif

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <utility>

#include "host/files/file_problem.h"
#include "host/files/mapping_watch.h"
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
  int release() { return std::exchange(fd_, -1); }

 private:
  int fd_;
};

#ifdef MAP_POPULATE
constexpr int kPopulate = MAP_POPULATE;
#elif !defined(_WIN32)
constexpr int kPopulate = 0;
#endif

std::string tooLarge(uint64_t limit) {
  return "it is larger than " + std::to_string(limit >> 20) + " MiB, the most this program reads";
}

// An input opened and checked: a regular file within the limit, or
// standard input.
struct OpenInput {
  std::string shown;  // the name messages give it
  Descriptor file;
  struct stat status = {};

  FileProblem problem(FileProblem::Kind kind, const std::string &reason) const {
    return FileProblem(kind, "read", shown, reason);
  }
};

void openInput(OpenInput &input, const std::string &path, uint64_t limit) {
  const bool standardInput = path == kStandardStream;
  if (input.file.get() < 0) throw input.problem(FileProblem::Kind::kSystem, std::strerror(errno));
  if (::fstat(input.file.get(), &input.status) != 0)
    throw input.problem(FileProblem::Kind::kSystem, std::strerror(errno));
  if (standardInput) return;
  if (S_ISDIR(input.status.st_mode)) throw input.problem(FileProblem::Kind::kNotRegular, "it is a folder");
  if (!S_ISREG(input.status.st_mode)) {
    throw input.problem(FileProblem::Kind::kNotRegular, "it is not a regular file; - reads standard input");
  }
  if (static_cast<uint64_t>(input.status.st_size) > limit)
    throw input.problem(FileProblem::Kind::kTooLarge, tooLarge(limit));
#ifndef _WIN32
  ::fcntl(input.file.get(), F_SETFL, ::fcntl(input.file.get(), F_GETFL) & ~O_NONBLOCK);
#endif
}

std::string readAll(const OpenInput &input, uint64_t limit) {
  std::string text;
  if (S_ISREG(input.status.st_mode))
    text.reserve(static_cast<size_t>(std::min<uint64_t>(input.status.st_size, limit)));
  char chunk[1 << 16];
  for (;;) {
    const ssize_t count = ::read(input.file.get(), chunk, sizeof chunk);
    if (count < 0 && errno == EINTR) continue;
    if (count < 0) throw input.problem(FileProblem::Kind::kSystem, std::strerror(errno));
    if (count == 0) return text;
    // A file that grows while it is read, or an endless stream, stops here.
    if (text.size() + static_cast<size_t>(count) > limit)
      throw input.problem(FileProblem::Kind::kTooLarge, tooLarge(limit));
    text.append(chunk, static_cast<size_t>(count));
  }
}

int openPath(const std::string &path) {
  return path == kStandardStream ? STDIN_FILENO : ::open(path.c_str(), kReadFlags);
}

std::string shownName(const std::string &path) { return path == kStandardStream ? "standard input" : path; }

}  // namespace

std::string readInputFile(const std::string &path, uint64_t limit) {
  OpenInput input{shownName(path), Descriptor(openPath(path))};
  openInput(input, path, limit);
  return readAll(input, limit);
}

int openRegularInput(const std::string &path, uint64_t limit, uint64_t &size) {
  OpenInput input{shownName(path), Descriptor(::open(path.c_str(), kReadFlags))};
  openInput(input, path, limit);
  size = static_cast<uint64_t>(input.status.st_size);
  return input.file.release();
}

InputBytes::InputBytes(InputBytes &&other) noexcept
    : mapped_(other.mapped_), size_(other.size_), watch_(other.watch_), text_(std::move(other.text_)) {
  other.mapped_ = nullptr;
  other.size_ = 0;
  other.watch_ = -1;
}

InputBytes &InputBytes::operator=(InputBytes &&other) noexcept {
  if (this != &other) {
    unmap();
    mapped_ = other.mapped_;
    size_ = other.size_;
    watch_ = other.watch_;
    text_ = std::move(other.text_);
    other.mapped_ = nullptr;
    other.size_ = 0;
    other.watch_ = -1;
  }
  return *this;
}

InputBytes::~InputBytes() { unmap(); }

std::string InputBytes::take() {
  std::string text = mapped_ ? std::string(view()) : std::move(text_);
  unmap();
  text_.clear();
  return text;
}

bool InputBytes::cutShort() const {
#ifndef _WIN32
  return mapped_ && mappingCutShort(watch_);
#else
  return false;
#endif
}

void InputBytes::unmap() {
#ifndef _WIN32
  if (mapped_) {
    unwatchMapping(watch_);
    ::munmap(const_cast<char *>(mapped_), size_);
  }
#endif
  mapped_ = nullptr;
  size_ = 0;
  watch_ = -1;
}

InputBytes readInputBytes(const std::string &path, uint64_t limit, bool mapping) {
  OpenInput input{shownName(path), Descriptor(openPath(path))};
  openInput(input, path, limit);
#ifndef _WIN32
  // An empty file has nothing to map; a file the system will not map (some
  // file systems) is read instead. Standard input is always read: it may be
  // a file already read in part, to be taken from where it stands.
  if (mapping && path != kStandardStream && S_ISREG(input.status.st_mode) && input.status.st_size > 0) {
    const size_t size = static_cast<size_t>(input.status.st_size);
    // Populated at once: one call sets up every page, where touching them
    // one by one would fault thousands of times.
    void *bytes = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE | kPopulate, input.file.get(), 0);
    if (bytes != MAP_FAILED) {
      InputBytes result;
      result.mapped_ = static_cast<const char *>(bytes);
      result.size_ = size;
      result.watch_ = watchMapping(result.mapped_, size);
      // Too many mappings watched at once: this one is read instead.
      if (result.watch_ >= 0) return result;
      result.unmap();
    }
  }
#else
  (void)mapping;
#endif
  return InputBytes(readAll(input, limit));
}

}  // namespace layout

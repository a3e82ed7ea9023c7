#include "tools/standard_output.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>

namespace sim {
namespace {

class DescriptorBuffer : public std::streambuf {
 public:
  explicit DescriptorBuffer(int fd) : fd_(fd), lineBuffered_(isatty(fd) != 0) {
    setp(buffer_, buffer_ + sizeof buffer_);
  }
  ~DescriptorBuffer() override { sync(); }

  int error() const { return error_; }

 protected:
  int_type overflow(int_type c) override {
    if (!drain()) return traits_type::eof();
    if (!traits_type::eq_int_type(c, traits_type::eof())) {
      *pptr() = traits_type::to_char_type(c);
      pbump(1);
    }
    return traits_type::not_eof(c);
  }

  std::streamsize xsputn(const char *text, std::streamsize count) override {
    // A piece as large as the buffer (a writer's whole buffer) goes straight
    // out after what is buffered, without a copy.
    if (count >= static_cast<std::streamsize>(sizeof buffer_)) {
      return drain() && writeAll(text, static_cast<size_t>(count)) ? count : 0;
    }
    const std::streamsize put = std::streambuf::xsputn(text, count);
    if (lineBuffered_ && std::memchr(text, '\n', static_cast<size_t>(put)) != nullptr && !drain()) return 0;
    return put;
  }

  int sync() override { return drain() ? 0 : -1; }

 private:
  // Writes the buffer out; once a write failed, output is dropped.
  bool drain() {
    writeAll(pbase(), static_cast<size_t>(pptr() - pbase()));
    setp(buffer_, buffer_ + sizeof buffer_);
    return error_ == 0;
  }

  bool writeAll(const char *text, size_t size) {
    while (error_ == 0 && size > 0) {
      const ssize_t written = ::write(fd_, text, size);
      if (written < 0 && errno == EINTR) continue;
      if (written <= 0) {
        error_ = written < 0 ? errno : EIO;
        break;
      }
      text += written;
      size -= static_cast<size_t>(written);
    }
    return error_ == 0;
  }

  int fd_;
  bool lineBuffered_;
  int error_ = 0;
  char buffer_[1 << 16];
};

// A closed standard descriptor is opened on /dev/null: writable for stderr
// (whose messages are then lost, as the caller chose), read-only otherwise,
// so that writes to a closed standard output still fail.
void openIfClosed(int fd, int flags) {
#ifdef _WIN32
  // A Windows process always starts with its three standard streams.
  (void)fd;
  (void)flags;
  return;
#else
  if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF) return;
  const int opened = ::open("/dev/null", flags);
  if (opened < 0 || opened == fd) return;
  ::dup2(opened, fd);
  ::close(opened);
#endif
}

}  // namespace

StandardOutput::StandardOutput() {
  openIfClosed(STDIN_FILENO, O_RDONLY);
  openIfClosed(STDOUT_FILENO, O_RDONLY);
  openIfClosed(STDERR_FILENO, O_WRONLY);
  buffer_ = std::make_unique<DescriptorBuffer>(STDOUT_FILENO);
  previous_ = std::cout.rdbuf(buffer_.get());
}

StandardOutput::~StandardOutput() {
  std::cout.flush();
  std::cout.rdbuf(previous_);
}

std::optional<std::string> StandardOutput::finish() {
  std::cout.flush();
  int error = static_cast<DescriptorBuffer &>(*buffer_).error();
  // Anything written the C way is checked too.
  if (error == 0 && (std::fflush(stdout) != 0 || std::ferror(stdout))) error = errno ? errno : EIO;
  if (error == 0) return std::nullopt;
  return std::string("cannot write to standard output: ") + std::strerror(error);
}

}  // namespace sim

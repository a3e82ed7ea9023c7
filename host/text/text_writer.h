// Text written out piece by piece through one buffer, so a report of millions
// of lines is never held whole: the buffer goes to its target (a stream or a
// string) each time it fills, and at flush(). For a long report, a thread of
// the writer's own can hand the full buffers on while the next is filled.
//
//   layout::TextWriter out(std::cout);
//   out.writeInBackground();
//   out << "Scene:\n" << 42 << '\n';
//   out.flush();
#pragma once

#include <charconv>
#include <concepts>
#include <cstddef>
#include <memory>
#include <ostream>
#include <string>
#include <string_view>

#include "host/threads/buffer_relay.h"

namespace layout {

class TextWriter {
 public:
  explicit TextWriter(std::ostream &stream) : stream_(&stream) {}
  explicit TextWriter(std::string &text) : text_(&text) {}
  // Writes to an open file descriptor, which stays open; see failed().
  explicit TextWriter(int fd) : fd_(fd) {}
  ~TextWriter();
  TextWriter(const TextWriter &) = delete;
  TextWriter &operator=(const TextWriter &) = delete;

  TextWriter &operator<<(std::string_view text) {
    if (text.size() > capacity_ - used_) return writeLong(text);
    text.copy(buffer_.get() + used_, text.size());
    used_ += text.size();
    return *this;
  }
  TextWriter &operator<<(const char *text) { return *this << std::string_view(text); }
  TextWriter &operator<<(const std::string &text) { return *this << std::string_view(text); }
  TextWriter &operator<<(char c) {
    if (used_ == capacity_) drain();
    buffer_[used_++] = c;
    return *this;
  }
  template <std::integral Number>
  requires(!std::same_as<Number, char> && !std::same_as<Number, bool>) TextWriter &operator<<(Number value) {
    char digits[24];
    return *this << std::string_view(digits, std::to_chars(digits, digits + sizeof digits, value).ptr);
  }
  // Room for `bytes` (at most kBufferBytes) in the buffer, to write straight
  // into; hand the end of what was written to commit().
  char *reserve(size_t bytes) {
    if (bytes > capacity_ - used_) drain();
    return buffer_.get() + used_;
  }
  void commit(const char *end) { used_ = static_cast<size_t>(end - buffer_.get()); }
  // Repeats `c` `count` times.
  TextWriter &fill(char c, size_t count);

  // From now on full buffers go to the target from a thread of the
  // writer's own, started when the first buffer fills: the target must not
  // be used otherwise until flush() returns. Not for a string target.
  void writeInBackground();

  // Hands everything buffered to the target (and flushes a stream); in the
  // background, waits until all of it is written.
  void flush();
  static constexpr size_t kBufferBytes = size_t{64} << 10;

  // Whether writing to a file descriptor failed; errno tells why (after
  // flush(), when writing in the background), and nothing more is written.
  bool failed() const { return failed_; }

 private:
  void drain();
  // Gives the full buffer to the background thread and takes a free one.
  void handOver();
  void send(std::string_view text);
  TextWriter &writeLong(std::string_view text);

  std::unique_ptr<char[]> buffer_ = std::make_unique_for_overwrite<char[]>(kBufferBytes);
  size_t capacity_ = kBufferBytes;
  size_t used_ = 0;
  std::ostream *stream_ = nullptr;
  std::string *text_ = nullptr;
  int fd_ = -1;
  bool failed_ = false;
  int error_ = 0;  // errno when writing failed
  bool inBackground_ = false;
  std::unique_ptr<BufferRelay> relay_;  // once the first buffer filled, in the background
};

}  // namespace layout

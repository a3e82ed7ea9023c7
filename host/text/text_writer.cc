#include "host/text/text_writer.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <system_error>

namespace layout {

namespace {

// A report's buffers in the background: one filling, the rest queued or
// being written.
constexpr size_t kBackgroundBuffers = 4;
constexpr size_t kBackgroundBytes = size_t{1} << 20;

}  // namespace

TextWriter::~TextWriter() { flush(); }

void TextWriter::writeInBackground() {
  if (text_ || inBackground_) return;
  inBackground_ = true;
  // Larger buffers, so the threads meet less often.
  auto larger = std::make_unique_for_overwrite<char[]>(kBackgroundBytes);
  std::memcpy(larger.get(), buffer_.get(), used_);
  buffer_ = std::move(larger);
  capacity_ = kBackgroundBytes;
}

TextWriter &TextWriter::fill(char c, size_t count) {
  while (count > 0) {
    if (used_ == capacity_) drain();
    const size_t run = std::min(count, capacity_ - used_);
    std::memset(buffer_.get() + used_, c, run);
    used_ += run;
    count -= run;
  }
  return *this;
}

void TextWriter::flush() {
  drain();
  if (relay_) {
    relay_->wait();
    if (failed_) errno = error_;  // as the thread that wrote found it
  }
  if (stream_) stream_->flush();
}

void TextWriter::drain() {
  if (used_ == 0) return;
  if (inBackground_) {
    handOver();
    return;
  }
  send({buffer_.get(), used_});
  used_ = 0;
}

void TextWriter::handOver() {
  if (!relay_) {
    try {
      relay_ = std::make_unique<BufferRelay>(capacity_, kBackgroundBuffers,
                                             [this](std::string_view bytes) { send(bytes); });
    } catch (const std::system_error &) {
      inBackground_ = false;  // no thread to be had: write from here
      drain();
      return;
    }
  }
  buffer_ = relay_->handOver(std::move(buffer_), used_);
  used_ = 0;
}

void TextWriter::send(std::string_view text) {
  if (stream_) {
    stream_->write(text.data(), static_cast<std::streamsize>(text.size()));
  } else if (text_) {
    text_->append(text);
  } else {
    while (!text.empty() && !failed_) {
      const ssize_t written = ::write(fd_, text.data(), text.size());
      if (written < 0 && errno == EINTR) continue;
      if (written <= 0) {
        if (written == 0) errno = EIO;
        error_ = errno;
        failed_ = true;
      } else {
        text.remove_prefix(static_cast<size_t>(written));
      }
    }
  }
}

// A text longer than the room left: what fits tops up the buffer, the rest
// goes straight through when it would fill the buffer again (in the
// background, through the buffers, to keep its place in line).
TextWriter &TextWriter::writeLong(std::string_view text) {
  const size_t room = capacity_ - used_;
  std::memcpy(buffer_.get() + used_, text.data(), room);
  used_ = capacity_;
  drain();
  text.remove_prefix(room);
  if (text.size() >= capacity_) {
    if (!inBackground_) {
      send(text);
      return *this;
    }
    for (; text.size() >= capacity_; text.remove_prefix(capacity_)) {
      std::memcpy(buffer_.get(), text.data(), capacity_);
      used_ = capacity_;
      drain();
    }
  }
  std::memcpy(buffer_.get(), text.data(), text.size());
  used_ = text.size();
  return *this;
}

}  // namespace layout

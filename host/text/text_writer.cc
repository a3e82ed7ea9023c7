#include "host/text/text_writer.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace layout {

TextWriter &TextWriter::fill(char c, size_t count) {
  while (count > 0) {
    if (used_ == kBufferBytes) drain();
    const size_t run = std::min(count, kBufferBytes - used_);
    std::memset(buffer_.get() + used_, c, run);
    used_ += run;
    count -= run;
  }
  return *this;
}

void TextWriter::flush() {
  drain();
  if (stream_) stream_->flush();
}

void TextWriter::drain() {
  if (used_ == 0) return;
  send({buffer_.get(), used_});
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
        failed_ = true;
      } else {
        text.remove_prefix(static_cast<size_t>(written));
      }
    }
  }
}

// A text longer than the room left: what fits tops up the buffer, the rest
// goes straight through when it would fill the buffer again.
TextWriter &TextWriter::writeLong(std::string_view text) {
  const size_t room = kBufferBytes - used_;
  std::memcpy(buffer_.get() + used_, text.data(), room);
  used_ = kBufferBytes;
  drain();
  text.remove_prefix(room);
  if (text.size() >= kBufferBytes) {
    send(text);
    return *this;
  }
  std::memcpy(buffer_.get(), text.data(), text.size());
  used_ = text.size();
  return *this;
}

}  // namespace layout

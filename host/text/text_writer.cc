#include "host/text/text_writer.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <condition_variable>
#include <cstring>
#include <deque>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

namespace layout {

// The thread that sends full buffers to the target in the order they were
// filled, and the buffers going round: the caller fills one while the thread
// sends the others.
struct TextWriter::Background {
  struct Full {
    std::unique_ptr<char[]> bytes;
    size_t size;
  };
  // Buffers in all: one filling, the rest queued or being sent.
  static constexpr size_t kBuffers = 4;
  static constexpr size_t kBufferBytes = size_t{1} << 20;

  std::mutex mutex;
  std::condition_variable changed;
  std::deque<Full> queue;
  std::vector<std::unique_ptr<char[]>> free;
  size_t made = 1;  // the buffer the writer started with
  bool sending = false;
  bool stopping = false;
  std::thread thread;

  void run(TextWriter &writer) {
    std::unique_lock lock(mutex);
    for (;;) {
      changed.wait(lock, [this] { return stopping || !queue.empty(); });
      if (queue.empty()) return;
      Full full = std::move(queue.front());
      queue.pop_front();
      sending = true;
      lock.unlock();
      writer.send({full.bytes.get(), full.size});
      lock.lock();
      sending = false;
      free.push_back(std::move(full.bytes));
      changed.notify_all();
    }
  }

  // Waits until every queued buffer was sent.
  void wait() {
    std::unique_lock lock(mutex);
    changed.wait(lock, [this] { return queue.empty() && !sending; });
  }
};

void TextWriter::EndBackground::operator()(Background *background) const {
  {
    std::lock_guard lock(background->mutex);
    background->stopping = true;
  }
  background->changed.notify_all();
  background->thread.join();
  delete background;
}

TextWriter::~TextWriter() { flush(); }

void TextWriter::writeInBackground() {
  if (text_ || inBackground_) return;
  inBackground_ = true;
  // Larger buffers, so the threads meet less often.
  auto larger = std::make_unique_for_overwrite<char[]>(Background::kBufferBytes);
  std::memcpy(larger.get(), buffer_.get(), used_);
  buffer_ = std::move(larger);
  capacity_ = Background::kBufferBytes;
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
  if (background_) {
    background_->wait();
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
  if (!background_) {
    auto background = std::make_unique<Background>();
    try {
      background->thread = std::thread([this, state = background.get()] { state->run(*this); });
    } catch (const std::system_error &) {
      inBackground_ = false;  // no thread to be had: write from here
      drain();
      return;
    }
    background_.reset(background.release());
  }
  Background &background = *background_;
  std::unique_ptr<char[]> next;
  {
    std::unique_lock lock(background.mutex);
    background.queue.push_back({std::move(buffer_), used_});
    if (background.free.empty() && background.made < Background::kBuffers) {
      next = std::make_unique_for_overwrite<char[]>(capacity_);
      ++background.made;
    } else {
      background.changed.wait(lock, [&background] { return !background.free.empty(); });
      next = std::move(background.free.back());
      background.free.pop_back();
    }
  }
  background.changed.notify_all();
  buffer_ = std::move(next);
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

#include "host/threads/buffer_relay.h"

namespace layout {

BufferRelay::BufferRelay(size_t bufferBytes, size_t buffers, Use use)
    : bufferBytes_(bufferBytes), buffers_(buffers), use_(std::move(use)), thread_([this] { run(); }) {}

BufferRelay::~BufferRelay() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  changed_.notify_all();
  thread_.join();
}

void BufferRelay::run() {
  std::unique_lock lock(mutex_);
  for (;;) {
    changed_.wait(lock, [this] { return stopping_ || !queue_.empty(); });
    if (queue_.empty()) return;
    Full full = std::move(queue_.front());
    queue_.pop_front();
    if (!failure_) {
      using_ = true;
      lock.unlock();
      try {
        use_({full.bytes.get(), full.size});
      } catch (...) {
        lock.lock();
        failure_ = std::current_exception();
        lock.unlock();
      }
      lock.lock();
      using_ = false;
    }
    free_.push_back(std::move(full.bytes));
    changed_.notify_all();
  }
}

std::unique_ptr<char[]> BufferRelay::handOver(std::unique_ptr<char[]> full, size_t size) {
  std::unique_ptr<char[]> next;
  {
    std::unique_lock lock(mutex_);
    if (failure_) std::rethrow_exception(failure_);
    queue_.push_back({std::move(full), size});
    if (free_.empty() && made_ < buffers_) {
      ++made_;
    } else {
      changed_.wait(lock, [this] { return !free_.empty(); });
      next = std::move(free_.back());
      free_.pop_back();
    }
  }
  changed_.notify_all();
  return next ? std::move(next) : std::make_unique_for_overwrite<char[]>(bufferBytes_);
}

void BufferRelay::wait() {
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [this] { return queue_.empty() && !using_; });
  if (failure_) std::rethrow_exception(failure_);
}

}  // namespace layout

#include "host/files/streamed_input.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <system_error>

#include "host/files/file_problem.h"
#include "host/files/input_file.h"

namespace layout {

StreamedInput::StreamedInput(const std::string &path, uint64_t limit, size_t chunk)
    : path_(path), chunk_(std::max<size_t>(chunk, 1)) {
  uint64_t size = 0;
  descriptor_ = openRegularInput(path, limit, size);
  size_ = static_cast<size_t>(size);
  start();
}

StreamedInput::StreamedInput(int descriptor, size_t size, std::string path, size_t chunk)
    : path_(std::move(path)), descriptor_(descriptor), size_(size), chunk_(std::max<size_t>(chunk, 1)) {
  start();
}

void StreamedInput::start() {
  try {
    buffer_ = FileText::forFilling(size_);
  } catch (...) {
    ::close(descriptor_);
    throw;
  }
  try {
    reader_ = std::thread([this] { readAll(); });
  } catch (const std::system_error &) {
    readAll();  // no thread to be had: read here, before the caller looks
  }
}

StreamedInput::~StreamedInput() {
  stop_.store(true, std::memory_order_relaxed);
  if (reader_.joinable()) reader_.join();
}

void StreamedInput::readAll() {
  char *const bytes = buffer_.data();
  size_t at = 0;
  std::string failure;
  while (at < size_ && failure.empty()) {
    if (stop_.load(std::memory_order_relaxed)) break;
    const ssize_t count = ::read(descriptor_, bytes + at, std::min(chunk_, size_ - at));
    if (count < 0 && errno == EINTR) continue;
    if (count < 0) {
      failure = std::strerror(errno);
    } else if (count == 0) {
      failure = kFileChangedSize;  // it ended before the size it had when opened
    } else {
      at += static_cast<size_t>(count);
      {
        const std::lock_guard<std::mutex> lock(mutex_);
        read_.store(at, std::memory_order_release);
      }
      progress_.notify_one();
    }
  }
  // A byte beyond the size it had when opened: it grew.
  while (failure.empty() && at == size_) {
    char extra;
    const ssize_t count = ::read(descriptor_, &extra, 1);
    if (count < 0 && errno == EINTR) continue;
    if (count < 0) failure = std::strerror(errno);
    if (count > 0) failure = kFileChangedSize;
    break;
  }
  if (failure.empty() && at < size_) failure = "the read was stopped";
  ::close(descriptor_);
  end(std::move(failure));
}

void StreamedInput::end(std::string failure) {
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    ended_ = true;
    failure_ = std::move(failure);
  }
  progress_.notify_one();
}

size_t StreamedInput::waitBeyond(size_t have) {
  const size_t now = read_.load(std::memory_order_acquire);
  if (now > have) return now;
  std::unique_lock<std::mutex> lock(mutex_);
  progress_.wait(lock, [&] { return ended_ || read_.load(std::memory_order_relaxed) > have; });
  if (!failure_.empty()) throw FileProblem(FileProblem::Kind::kSystem, "read", path_, failure_);
  return read_.load(std::memory_order_relaxed);
}

FileText StreamedInput::finish() {
  {
    std::unique_lock<std::mutex> lock(mutex_);
    progress_.wait(lock, [&] { return ended_; });
    if (!failure_.empty()) throw FileProblem(FileProblem::Kind::kSystem, "read", path_, failure_);
  }
  if (reader_.joinable()) reader_.join();
  return std::move(buffer_);
}

}  // namespace layout

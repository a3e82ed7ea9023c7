// A regular file read into memory by a thread of its own, chunk by chunk,
// while the caller works through the part already read. The caller sees how
// far the read has come and waits only when it catches up with it. The
// buffer's pages are first touched by the reading thread, so the cost of
// faulting them in is paid beside the caller's work rather than in it.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>

#include "host/files/file_text.h"
#include "host/files/input_file.h"

namespace layout {

class StreamedInput {
 public:
  static constexpr size_t kChunk = size_t{2} << 20;

  // Opens and checks the regular file at `path` (never standard input) as
  // readInputFile does, then starts reading it. Throws FileProblem.
  explicit StreamedInput(const std::string &path, uint64_t limit = kLargestInput, size_t chunk = kChunk);
  // Reads `size` bytes from `descriptor`, which it closes, naming the file
  // `path` in messages: the file must hold exactly that many bytes.
  StreamedInput(int descriptor, size_t size, std::string path, size_t chunk = kChunk);
  StreamedInput(const StreamedInput &) = delete;
  StreamedInput &operator=(const StreamedInput &) = delete;
  // Stops the reading thread if it still runs.
  ~StreamedInput();

  // The whole file as it will be; only the first available() bytes may be
  // looked at.
  std::string_view text() const { return {buffer_.data(), size_}; }
  size_t available() const { return read_.load(std::memory_order_acquire); }
  // Waits until more than `have` bytes are read, or all of them, and returns
  // how many are. Throws FileProblem ("cannot read PATH: REASON") when the
  // read failed, or the file changed size while it was read.
  size_t waitBeyond(size_t have);
  // Waits for the whole file and hands over its bytes. Throws FileProblem.
  FileText finish();

 private:
  void start();
  void readAll();
  void end(std::string failure);

  std::string path_;
  int descriptor_;
  size_t size_;
  size_t chunk_;
  FileText buffer_;
  std::atomic<size_t> read_{0};
  std::atomic<bool> stop_{false};
  std::mutex mutex_;
  std::condition_variable progress_;
  bool ended_ = false;   // guarded by mutex_
  std::string failure_;  // guarded by mutex_; set when the read failed
  std::thread reader_;
};

}  // namespace layout

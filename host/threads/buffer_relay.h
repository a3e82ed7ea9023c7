// Full buffers handed from the thread that fills them to a thread of the
// relay's own, which uses each in the order handed over, so that filling the
// next overlaps with using the last: a report written out while its next part
// is put together. A few buffers go round; handing one over waits only when
// all are in use.
//
//   BufferRelay relay(1 << 20, 4, [&](std::string_view bytes) { send(bytes); });
//   buffer = relay.handOver(std::move(buffer), used);  // an empty one back
//   relay.wait();  // everything handed over was used
#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <string_view>
#include <thread>
#include <vector>

namespace layout {

class BufferRelay {
 public:
  using Use = std::function<void(std::string_view bytes)>;

  // Starts the thread; throws std::system_error when none can be had.
  // `buffers` counts the one the caller fills.
  BufferRelay(size_t bufferBytes, size_t buffers, Use use);
  // Uses what is still queued, then ends the thread.
  ~BufferRelay();
  BufferRelay(const BufferRelay &) = delete;
  BufferRelay &operator=(const BufferRelay &) = delete;

  size_t bufferBytes() const { return bufferBytes_; }
  // Queues the first `size` bytes of `full` and returns an empty buffer of
  // bufferBytes() to fill next.
  std::unique_ptr<char[]> handOver(std::unique_ptr<char[]> full, size_t size);
  // Returns once every buffer handed over was used.
  void wait();
  // Once using a buffer threw, the buffers after it are dropped, and
  // handOver() and wait() rethrow that exception.

 private:
  struct Full {
    std::unique_ptr<char[]> bytes;
    size_t size;
  };

  void run();

  const size_t bufferBytes_;
  const size_t buffers_;
  Use use_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<Full> queue_;
  std::vector<std::unique_ptr<char[]>> free_;
  size_t made_ = 1;  // the caller's own
  bool using_ = false;
  bool stopping_ = false;
  std::exception_ptr failure_;
  std::thread thread_;  // last: started once the rest is ready
};

}  // namespace layout

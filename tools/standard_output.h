// layout-sim's standard output, watched: std::cout writes through a buffer of
// its own to descriptor 1 and remembers the first write that failed, so that
// a full disk or a closed standard output is reported (exit 1) rather than
// ignored. Line-buffered on a terminal, so the listing and the progress on
// stderr interleave as they happen.
#pragma once

#include <memory>
#include <optional>
#include <streambuf>
#include <string>

namespace sim {

class StandardOutput {
 public:
  // Installs itself as std::cout's buffer. A standard descriptor that was
  // closed is opened on /dev/null first, so no file the program opens can
  // take its number; a closed standard output stays unwritable.
  StandardOutput();
  ~StandardOutput();
  StandardOutput(const StandardOutput &) = delete;
  StandardOutput &operator=(const StandardOutput &) = delete;

  // Flushes everything written; the message when any of it could not be.
  std::optional<std::string> finish();

 private:
  std::unique_ptr<std::streambuf> buffer_;
  std::streambuf *previous_;
};

}  // namespace sim

// Reading a user's file whole: a scene, a session or a command script. Only a
// regular file, or standard input as "-", is read, and nothing over the size
// limit, so a device, a FIFO left open or an endless stream cannot make the
// program read until memory runs out.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace layout {

// The largest input read: 1 GiB.
inline constexpr uint64_t kLargestInput = uint64_t{1} << 30;

// Throws FileProblem ("cannot read PATH: REASON").
std::string readInputFile(const std::string &path, uint64_t limit = kLargestInput);

// A file's bytes, for reading once: a regular file is mapped read-only
// rather than copied, which spares a copy of a scene of hundreds of
// megabytes; standard input, and a file the system will not map, are read
// into memory. The mapping is private and never written, so the file is
// never changed. Should another program shorten the file while it is
// mapped, the bytes lost read as zeros and cutShort() says so: the reader
// finishes, and the caller reports the file as changed.
class InputBytes {
 public:
  InputBytes() = default;
  explicit InputBytes(std::string text) : text_(std::move(text)) {}
  InputBytes(InputBytes &&other) noexcept;
  InputBytes &operator=(InputBytes &&other) noexcept;
  InputBytes(const InputBytes &) = delete;
  InputBytes &operator=(const InputBytes &) = delete;
  ~InputBytes();

  std::string_view view() const {
    return mapped_ ? std::string_view(mapped_, size_) : std::string_view(text_);
  }
  bool mapped() const { return mapped_ != nullptr; }
  // Whether the mapped file lost bytes while it was mapped.
  bool cutShort() const;
  // The bytes as a string of their own: moved out when they were read,
  // copied when mapped. Leaves this empty.
  std::string take();

 private:
  friend InputBytes readInputBytes(const std::string &path, uint64_t limit, bool mapping);
  void unmap();

  const char *mapped_ = nullptr;
  size_t size_ = 0;
  int watch_ = -1;  // of the mapping, while mapped
  std::string text_;
};

// What a reader says of a file that was shortened while it was read.
inline constexpr const char *kFileChangedSize = "it changed size while it was read";

// Opens the file at `path` (not standard input) for reading and checks it
// as readInputFile does: a regular file within the limit. Returns the open
// descriptor, which the caller closes, and sets `size` to the file's size.
// Throws FileProblem.
int openRegularInput(const std::string &path, uint64_t limit, uint64_t &size);

// As readInputFile. `mapping` false reads even a regular file into memory.
// Throws FileProblem.
InputBytes readInputBytes(const std::string &path, uint64_t limit = kLargestInput, bool mapping = true);

}  // namespace layout

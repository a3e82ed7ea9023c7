// Reading a user's file whole: a scene, a session or a command script. Only a
// regular file, or standard input as "-", is read, and nothing over the size
// limit, so a device, a FIFO left open or an endless stream cannot make the
// program read until memory runs out.
#pragma once

#include <cstdint>
#include <string>

namespace layout {

// The largest input read: 1 GiB.
inline constexpr uint64_t kLargestInput = uint64_t{1} << 30;

// Throws FileProblem ("cannot read PATH: REASON").
std::string readInputFile(const std::string &path, uint64_t limit = kLargestInput);

}  // namespace layout

// Whether two short byte runs are equal, inline: the host compares a command
// text with the one it expects millions of times, and most are under 32
// bytes, where a call to the library's memcmp costs more than the compare.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace layout {

inline bool sameBytes(const char *a, const char *b, size_t size) {
  const auto word = [](const char *at) {
    uint64_t value;
    std::memcpy(&value, at, sizeof value);
    return value;
  };
  if (size >= 8) {
    for (; size > 8; size -= 8, a += 8, b += 8) {
      if (word(a) != word(b)) return false;
    }
    return word(a + size - 8) == word(b + size - 8);  // the last eight, overlapping
  }
  if (size >= 4) {
    uint32_t headA, headB, tailA, tailB;
    std::memcpy(&headA, a, 4);
    std::memcpy(&headB, b, 4);
    std::memcpy(&tailA, a + size - 4, 4);
    std::memcpy(&tailB, b + size - 4, 4);
    return headA == headB && tailA == tailB;
  }
  for (size_t i = 0; i < size; ++i) {
    if (a[i] != b[i]) return false;
  }
  return true;
}

}  // namespace layout

// A quick hash of a short text for the host's caches of recent texts: eight
// bytes at a time, inline, several times cheaper than the library's hash for
// the 10-30 byte command texts and names a run repeats. Not for hash tables
// that face chosen input: a cache only loses a hit when texts collide.
#pragma once

#include <cstdint>
#include <cstring>
#include <string_view>

namespace layout {

inline uint64_t textHash(std::string_view text) {
  constexpr uint64_t kMultiplier = 0x9E3779B97F4A7C15ull;
  uint64_t hash = text.size() * kMultiplier;
  const char *at = text.data();
  size_t left = text.size();
  for (; left >= 8; left -= 8, at += 8) {
    uint64_t word;
    std::memcpy(&word, at, 8);
    hash = (hash ^ word) * kMultiplier;
    hash ^= hash >> 29;
  }
  if (left > 0) {
    uint64_t word = 0;
    std::memcpy(&word, at, left);
    hash = (hash ^ word) * kMultiplier;
    hash ^= hash >> 29;
  }
  hash *= kMultiplier;
  return hash ^ (hash >> 32);
}

}  // namespace layout

// The text of a double, remembered for the values met last: a scene repeats
// a handful of values (0, 1, a rest length) millions of times, and turning a
// double into its shortest text costs far more than finding it in a small
// table by its bits.
//
//   RealTexts<shortestText> texts;
//   out << texts(item.restLength);
#pragma once

#include <array>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace layout {

// How a double is written: into `text`, returning the length.
using ComposeReal = size_t (*)(double value, char (&text)[32]);

template <ComposeReal compose>
class RealTexts {
 public:
  std::string_view operator()(double value) {
    uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    Entry &entry = entries_[(bits * 0x9E3779B97F4A7C15u) >> 58];
    if (!entry.used || entry.bits != bits) {
      entry.used = true;
      entry.bits = bits;
      entry.size = static_cast<uint8_t>(compose(value, entry.text));
    }
    return {entry.text, entry.size};
  }

 private:
  struct Entry {
    uint64_t bits = 0;
    bool used = false;
    uint8_t size = 0;
    char text[32];
  };

  std::array<Entry, 64> entries_{};
};

}  // namespace layout

#include "host/text/printable.h"

#include <cstdint>
#include <cstring>

namespace layout {
namespace {

// True when none of the eight bytes at `at` is a control byte (below 0x20, or
// 0x7F): the common case, checked a word at a time.
bool plainWord(const char *at) {
  constexpr uint64_t kOnes = 0x0101010101010101ull;
  constexpr uint64_t kHigh = 0x8080808080808080ull;
  uint64_t word;
  std::memcpy(&word, at, sizeof word);
  const uint64_t below = (word - kOnes * 0x20) & ~word & kHigh;
  const uint64_t del = word ^ (kOnes * 0x7F);
  return (below | ((del - kOnes) & ~del & kHigh)) == 0;
}

// Hands `text` to `put` in pieces: runs of bytes that need no escape, and the
// escape of each control byte.
template <typename Put>
void escapeControls(std::string_view text, Put put) {
  static constexpr char kHex[] = "0123456789abcdef";
  size_t plain = 0;  // start of the run of bytes written as they are
  for (size_t i = 0; i < text.size(); ++i) {
    while (text.size() - i >= 8 && plainWord(text.data() + i)) i += 8;
    if (i == text.size()) break;
    const auto byte = static_cast<unsigned char>(text[i]);
    if (byte >= 0x20 && byte != 0x7F) continue;
    put(text.substr(plain, i - plain));
    const char escape[] = {'\\', 'x', kHex[byte >> 4], kHex[byte & 0xF]};
    put(std::string_view(escape, sizeof escape));
    plain = i + 1;
  }
  put(text.substr(plain));
}

}  // namespace

bool hasControlBytes(std::string_view text) {
  size_t i = 0;
  for (; text.size() - i >= 8; i += 8) {
    if (!plainWord(text.data() + i)) return true;
  }
  for (; i < text.size(); ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (byte < 0x20 || byte == 0x7F) return true;
  }
  return false;
}

void appendPrintable(std::string &out, std::string_view text) {
  escapeControls(text, [&out](std::string_view piece) { out += piece; });
}

std::string printable(std::string_view text) {
  std::string out;
  appendPrintable(out, text);
  return out;
}

void writePrintable(TextWriter &out, std::string_view text) {
  escapeControls(text, [&out](std::string_view piece) { out << piece; });
}

}  // namespace layout

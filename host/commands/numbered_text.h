// A text split around its last decimal number, so that texts which differ only
// in that number ("StatusMsg {0.000500} Creating", "AddChildBone Bone_007")
// share one form and each keeps just the number. The split is exact: the
// number's digit count and decimal places are part of the form, so leading
// zeros and trailing zeros come back as they were.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace layout {

struct NumberedText {
  // Longest digit run taken: its value stays below 2^63.
  static constexpr size_t kMaxDigits = 18;

  std::string_view prefix;  // text before the number
  std::string_view suffix;  // text after it
  uint64_t value = 0;       // the number's digits read as one integer ("0.050" -> 50)
  uint8_t digits = 0;       // how many digits it has ("0.050" -> 4)
  uint8_t decimals = 0;     // how many of them follow its point ("0.050" -> 3)

  // The last run of digits in `text`, with one point inside it if digits
  // stand on both sides of that point; nothing when the text has no digit or
  // the run is too long.
  static std::optional<NumberedText> split(std::string_view text);
};

// Reads a number of the shape split() gives to a form, `digits` digits with
// `decimals` of them after a point, from the digits - decimals + (decimals ?
// 1 : 0) bytes at `at`; false when those bytes have another shape.
bool readNumber(const char *at, uint8_t digits, uint8_t decimals, uint64_t &value);

// Writes the number of `digits` digits, `decimals` of them after a point, as
// split() found it. `out` needs room for kMaxDigits + 1 characters; returns
// the end of what was written.
char *writeNumber(char *out, uint64_t value, uint8_t digits, uint8_t decimals);

}  // namespace layout

// Decimal texts such as "0.5" or "-12.25", read to a double without the
// general library parser, which takes several times as long: when the digits
// make an integer below 2^53 and the number of decimals is at most 22, both
// the integer and the power of ten are exact doubles, so one division rounds
// correctly and gives what std::from_chars gives.
#pragma once

#include <cstdint>
#include <string_view>

namespace layout {

// True, with `value`, when `text` is a minus sign or none, digits with at
// most one point among or around them, and short enough to be read exactly;
// false for anything else, which std::from_chars must judge.
inline bool readShortDecimal(std::string_view text, double &value) {
  static constexpr double kPowers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                       1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
  constexpr size_t kLongest = 19;  // digits that always fit 64 bits
  const char *at = text.data();
  const char *const end = at + text.size();
  const bool negative = at < end && *at == '-';
  if (negative) ++at;
  uint64_t digits = 0;
  size_t significant = 0;  // digits from the first that is not 0
  size_t decimals = 0;
  bool point = false;
  bool anyDigit = false;
  for (; at < end; ++at) {
    if (*at == '.' && !point) {
      point = true;
      continue;
    }
    const auto digit = static_cast<unsigned>(*at - '0');
    if (digit > 9) return false;
    anyDigit = true;
    if ((digits != 0 || digit != 0) && ++significant > kLongest) return false;
    digits = digits * 10 + digit;
    decimals += point ? 1 : 0;
  }
  if (!anyDigit || digits > uint64_t{1} << 53 || decimals >= std::size(kPowers)) return false;
  value = static_cast<double>(digits) / kPowers[decimals];
  if (negative) value = -value;
  return true;
}

}  // namespace layout

#include "host/commands/numbered_text.h"

#include <algorithm>
#include <cstring>

namespace layout {
namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::optional<NumberedText> NumberedText::split(std::string_view text) {
  size_t end = text.size();
  while (end > 0 && !isDigit(text[end - 1])) --end;
  if (end == 0) return std::nullopt;
  size_t start = end;
  while (start > 0 && isDigit(text[start - 1])) --start;
  NumberedText split;
  if (start >= 2 && text[start - 1] == '.' && isDigit(text[start - 2])) {
    split.decimals = static_cast<uint8_t>(std::min(end - start, kMaxDigits + 1));
    --start;  // the point
    while (start > 0 && isDigit(text[start - 1])) --start;
  }
  const size_t length = end - start;
  const size_t digits = split.decimals ? length - 1 : length;
  if (digits > kMaxDigits) return std::nullopt;
  for (size_t i = start; i < end; ++i) {
    if (text[i] != '.') split.value = split.value * 10 + static_cast<uint64_t>(text[i] - '0');
  }
  split.digits = static_cast<uint8_t>(digits);
  split.prefix = text.substr(0, start);
  split.suffix = text.substr(end);
  return split;
}

bool readNumber(const char *at, uint8_t digits, uint8_t decimals, uint64_t &value) {
  uint64_t number = 0;
  const size_t whole = digits - decimals;
  for (size_t i = 0; i < whole; ++i) {
    if (!isDigit(at[i])) return false;
    number = number * 10 + static_cast<uint64_t>(at[i] - '0');
  }
  if (decimals) {
    at += whole;
    if (*at++ != '.') return false;
    for (size_t i = 0; i < decimals; ++i) {
      if (!isDigit(at[i])) return false;
      number = number * 10 + static_cast<uint64_t>(at[i] - '0');
    }
  }
  value = number;
  return true;
}

// Writes from the last digit back, two digits a step, straight into `out`.
char *writeNumber(char *out, uint64_t value, uint8_t digits, uint8_t decimals) {
  static constexpr char kPairs[] =
      "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
      "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
      "8081828384858687888990919293949596979899";
  const auto writeBack = [&value](char *end, size_t count) {
    for (; count >= 2; count -= 2) {
      end -= 2;
      std::memcpy(end, kPairs + 2 * (value % 100), 2);
      value /= 100;
    }
    if (count) {
      *--end = static_cast<char>('0' + value % 10);
      value /= 10;
    }
    return end;
  };
  char *const end = out + digits + (decimals ? 1 : 0);
  char *at = end;
  if (decimals) {
    at = writeBack(at, decimals);
    *--at = '.';
  }
  writeBack(at, static_cast<size_t>(digits - decimals));
  return end;
}

}  // namespace layout

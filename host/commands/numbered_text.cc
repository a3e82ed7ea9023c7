#include "host/commands/numbered_text.h"

#include <algorithm>

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

char *writeNumber(char *out, uint64_t value, uint8_t digits, uint8_t decimals) {
  const size_t length = digits + (decimals ? 1 : 0);
  char *at = out + length;
  for (uint8_t i = 0; i < digits; ++i) {
    if (decimals && i == decimals) *--at = '.';
    *--at = static_cast<char>('0' + value % 10);
    value /= 10;
  }
  return out + length;
}

}  // namespace layout

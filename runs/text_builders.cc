#include "runs/text_builders.h"

#include <bit>
#include <cstdio>
#include <cstring>

namespace mint {

namespace {

constexpr char kDigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";
constexpr char kSeparators[] = "_ -";

int digitCount(int code) { return code & 3; }
int separatorIndex(int code) { return (code >> 2) & 3; }

char *writeConversion(char *out, int digits) {
  *out++ = '%';
  *out++ = '0';
  *out++ = static_cast<char>('0' + digits);
  *out++ = 'l';
  *out++ = 'l';
  *out++ = 'd';
  return out;
}

}  // namespace

int writeDecimal(int32_t value, char *dst, unsigned flags) {
  const int width = static_cast<int>(flags & kWidthMask);
  // Colour indices and counts are mostly one or two digits without padding.
  if (value >= 0 && value < 100 && width <= 1 + (value >= 10)) {
    const int count = value < 10 ? 1 : 2;
    if (count == 1) {
      dst[0] = static_cast<char>('0' + value);
    } else {
      dst[0] = kDigitPairs[2 * value];
      dst[1] = kDigitPairs[2 * value + 1];
    }
    if (flags & kTerminate) dst[count] = '\0';
    return count;
  }
  // The magnitude as unsigned, so the most negative value is written in full.
  uint32_t magnitude = value < 0 ? 0u - static_cast<uint32_t>(value) : static_cast<uint32_t>(value);
  int count = 1;
  for (uint32_t bound = 10; count < 10 && magnitude >= bound; bound *= 10) ++count;

  char *out = dst;
  if (value < 0) *out++ = '-';
  const int used = count + (value < 0 ? 1 : 0);
  if (used < width) {
    std::memset(out, (flags & kZeroPad) ? '0' : ' ', static_cast<size_t>(width - used));
    out += width - used;
  }
  // Digits are written from the last one back, two at a time.
  char *end = out + count;
  char *digit = end;
  while (magnitude >= 100) {
    const uint32_t pair = magnitude % 100;
    magnitude /= 100;
    *--digit = kDigitPairs[2 * pair + 1];
    *--digit = kDigitPairs[2 * pair];
  }
  if (magnitude >= 10) {
    *--digit = kDigitPairs[2 * magnitude + 1];
    *--digit = kDigitPairs[2 * magnitude];
  } else {
    *--digit = static_cast<char>('0' + magnitude);
  }
  if (flags & kTerminate) *end = '\0';
  return static_cast<int>(end - dst);
}

void writeItemId(uint32_t id, char *dst, unsigned flags) {
  char *out = dst;
  if (flags & kHexPrefix) {
    *out++ = '0';
    *out++ = (flags & kHexPrefixLower) ? 'x' : 'X';
  }
  // Spread the eight nibbles over eight bytes, the highest nibble in the
  // lowest byte, and turn every byte into its digit at once.
  uint64_t x = (id >> 16) | (static_cast<uint64_t>(id & 0xFFFFu) << 32);
  x = ((x >> 8) & 0x000000FF000000FFu) | ((x & 0x000000FF000000FFu) << 16);
  x = ((x >> 4) & 0x000F000F000F000Fu) | ((x & 0x000F000F000F000Fu) << 8);
  const uint64_t letters = ((x + 0x0606060606060606u) >> 4) & 0x0101010101010101u;  // 1 where above 9
  x += 0x3030303030303030u + letters * 7;
  if constexpr (std::endian::native == std::endian::little) {
    std::memcpy(out, &x, 8);
  } else {
    for (int i = 0; i < 8; ++i) out[i] = static_cast<char>(x >> (8 * i));
  }
  if (flags & kTerminate) out[8] = '\0';
}

size_t buildNamePattern(char *dst, int prefixCode, const char *baseName, int suffixCode) {
  char *out = dst;
  if (digitCount(prefixCode) != 0) {
    out = writeConversion(out, digitCount(prefixCode));
    if (separatorIndex(prefixCode) != 3) *out++ = kSeparators[separatorIndex(prefixCode)];
  }
  for (size_t i = 0; i < kBaseNameMax && baseName[i] != '\0'; ++i) {
    // A typed "%" is doubled so that it prints as itself.
    if (baseName[i] == '%') *out++ = '%';
    *out++ = baseName[i];
  }
  if (digitCount(suffixCode) != 0) {
    if (separatorIndex(suffixCode) != 3) *out++ = kSeparators[separatorIndex(suffixCode)];
    out = writeConversion(out, digitCount(suffixCode));
  }
  *out = '\0';
  return static_cast<size_t>(out - dst);
}

void formatName(char *dst, size_t capacity, const char *format, int64_t number) {
  const long long n = number;
  std::snprintf(dst, capacity, format, n, n);
}

int32_t parseLeadingDecimal(const char *text) {
  const char *p = text;
  while (*p == ' ' || *p == '\t' || *p == '\n' || *p == '\v' || *p == '\f' || *p == '\r') ++p;
  bool negative = false;
  if (*p == '+' || *p == '-') negative = *p++ == '-';
  int64_t value = 0;
  for (; *p >= '0' && *p <= '9'; ++p) {
    if (value <= INT32_MAX) value = value * 10 + (*p - '0');
  }
  if (negative) value = -value;
  if (value > INT32_MAX) return INT32_MAX;
  if (value < INT32_MIN) return INT32_MIN;
  return static_cast<int32_t>(value);
}

int sendCommand(const GenericLocal *local, const char *command) {
  return local->evaluate(local->data, command);
}

int sendDynamicUpdate(const GenericLocal *local, int value) {
  static constexpr char kHead[] = "DynamicUpdate ";
  char text[sizeof kHead + kDecimalBuffer];
  std::memcpy(text, kHead, sizeof kHead - 1);
  writeDecimal(value, text + sizeof kHead - 1, kTerminate);
  return sendCommand(local, text);
}

int sendStatus(const GenericLocal *local, int selector) {
  return sendCommand(local, selector != 0 ? "StatusMsg Selecting" : "StatusMsg Done");
}

}  // namespace mint

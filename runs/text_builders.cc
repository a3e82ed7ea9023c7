#include "runs/text_builders.h"

#include <cstdio>
#include <cstring>

namespace mint {

namespace {

constexpr char kDecimalDigits[] = "0123456789";
constexpr char kHexDigits[] = "0123456789ABCDEF";
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
  char digits[10];
  int count = 0;
  // The magnitude as unsigned, so the most negative value is written in full.
  uint32_t magnitude = value < 0 ? 0u - static_cast<uint32_t>(value) : static_cast<uint32_t>(value);
  do {
    digits[count++] = kDecimalDigits[magnitude % 10];
    magnitude /= 10;
  } while (magnitude != 0);

  char *out = dst;
  if (value < 0) *out++ = '-';
  const int width = static_cast<int>(flags & kWidthMask);
  const char pad = (flags & kZeroPad) ? '0' : ' ';
  for (int used = count + (value < 0 ? 1 : 0); used < width; ++used) *out++ = pad;
  while (count > 0) *out++ = digits[--count];
  if (flags & kTerminate) *out = '\0';
  return static_cast<int>(out - dst);
}

void writeItemId(uint32_t id, char *dst, unsigned flags) {
  char *out = dst;
  if (flags & kHexPrefix) {
    *out++ = '0';
    *out++ = (flags & kHexPrefixLower) ? 'x' : 'X';
  }
  for (int shift = 28; shift >= 0; shift -= 4) *out++ = kHexDigits[(id >> shift) & 0xF];
  if (flags & kTerminate) *out = '\0';
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

// The module's text builders with any base name, codes and numbers: the name
// pattern stays within its buffer and formats to a name within its own.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "runs/text_builders.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  if (size < 10) return 0;
  const int prefix = data[0] % 16, suffix = data[1] % 16;
  int64_t number;
  std::memcpy(&number, data + 2, sizeof number);
  const std::string text(reinterpret_cast<const char *>(data + 10), size - 10);  // NUL-terminated copy

  char pattern[mint::kNamePatternBuffer];
  const size_t length = mint::buildNamePattern(pattern, prefix, text.c_str(), suffix);
  if (length >= sizeof pattern || std::strlen(pattern) != length) __builtin_trap();
  char name[mint::kNameTextMax + 1];
  mint::formatName(name, sizeof name, pattern, number);
  if (std::strlen(name) > mint::kNameTextMax) __builtin_trap();

  mint::parseLeadingDecimal(text.c_str());
  char decimal[mint::kDecimalBuffer];
  mint::writeDecimal(static_cast<int32_t>(number), decimal, static_cast<unsigned>(data[0]));
  return 0;
}

// Small writers that put names and numbers into Layout command texts, and the
// two ready-made commands both runs send.
#pragma once

#include <cstddef>
#include <cstdint>

#include "layout.h"
#include "module/option_store.h"

namespace mint {

// Writer flags.
inline constexpr unsigned kWidthMask = 0x1F;        // decimal: minimum width, sign included
inline constexpr unsigned kTerminate = 0x100;       // write a NUL after the digits
inline constexpr unsigned kHexPrefix = 0x200;       // ID: "0X" in front
inline constexpr unsigned kHexPrefixLower = 0x400;  // ID, with kHexPrefix: "0x"
inline constexpr unsigned kZeroPad = 0x800;         // decimal: pad with "0", not " "

// Room for the longest decimal text: sign, 31 padding characters, NUL.
inline constexpr size_t kDecimalBuffer = 34;
// Room for an ID with prefix and NUL.
inline constexpr size_t kItemIdBuffer = 11;

// Writes a signed 32-bit value; returns the characters written without the NUL.
int writeDecimal(int32_t value, char *dst, unsigned flags);
// Writes exactly eight upper-case hexadecimal digits.
void writeItemId(uint32_t id, char *dst, unsigned flags);

// A name pattern holds the base name with every "%" doubled, so the name stays
// literal when the pattern is used as a printf format, plus up to two numbers
// ("%0Dlld", zero-padded to D digits) and their separators. The numbers are
// 64-bit so that a start number plus an index never overflows.
inline constexpr size_t kNamePatternBuffer = 2 * kBaseNameMax + 2 * 7 + 1;
// Writes the pattern of a prefix code, a base name and a suffix code (codes
// 0-15) into dst, which holds kNamePatternBuffer bytes; returns its length.
// A base name longer than kBaseNameMax is cut there.
size_t buildNamePattern(char *dst, int prefixCode, const char *baseName, int suffixCode);

// Longest formatted name: a base name, two separators, two 20-character numbers.
inline constexpr size_t kNameTextMax = kBaseNameMax + 2 + 2 * 20;

// Formats a name pattern (behind a command head in the same buffer) with the
// number given to both conversions. dst holds at least capacity bytes.
void formatName(char *dst, size_t capacity, const char *format, int64_t number);

// A leading decimal integer, as a person types it into a number field: leading
// blanks and one sign allowed, conversion stops at the first non-digit, no
// digits gives 0. Saturates at the 32-bit range.
int32_t parseLeadingDecimal(const char *text);

// Hands one command text to the host; returns evaluate's result.
int sendCommand(const GenericLocal *local, const char *command);
// "DynamicUpdate <value>".
int sendDynamicUpdate(const GenericLocal *local, int value);
// "StatusMsg Selecting" for a non-zero selector, "StatusMsg Done" for 0.
int sendStatus(const GenericLocal *local, int selector);

}  // namespace mint

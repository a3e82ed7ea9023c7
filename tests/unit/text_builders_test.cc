#include "runs/text_builders.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "tests/records.h"

namespace mint {
namespace {

std::string pattern(int prefix, const char *base, int suffix) {
  char out[kNamePatternBuffer];
  buildNamePattern(out, prefix, base, suffix);
  return out;
}

std::string formatted(int prefix, const char *base, int suffix, int64_t n) {
  char format[kNamePatternBuffer];
  buildNamePattern(format, prefix, base, suffix);
  char out[kNameTextMax + 1];
  formatName(out, sizeof out, format, n);
  return out;
}

TEST(NamePattern, CodesGiveTheirNumberParts) {
  EXPECT_EQ(pattern(0, "Null", 0), "Null");
  EXPECT_EQ(pattern(2, "Null", 0), "%02lld_Null");
  EXPECT_EQ(pattern(1, "Null", 7), "%01lld_Null %03lld");
  EXPECT_EQ(pattern(0, "Null", 15), "Null%03lld");
  EXPECT_EQ(pattern(3, "Null", 11), "%03lld_Null-%03lld");
  EXPECT_EQ(pattern(13, "Null", 13), "%01lldNull%01lld");
  // Separator rows carry no number whatever their separator bits say.
  for (int code : {4, 8, 12}) {
    EXPECT_EQ(pattern(code, "Bone", code), "Bone") << code;
  }
}

TEST(NamePattern, NumbersFillBothSidesAndStayWhole) {
  EXPECT_EQ(formatted(2, "Null", 0, 7), "07_Null");
  EXPECT_EQ(formatted(1, "Null", 7, 5), "5_Null 005");
  EXPECT_EQ(formatted(3, "Null", 11, 12), "012_Null-012");
  EXPECT_EQ(formatted(0, "Null", 1, 1000), "Null_1000");
  EXPECT_EQ(formatted(0, "Null", 0, 3), "Null");
  EXPECT_EQ(formatted(3, "N", 3, -2147483647 - 1), "-2147483648_N_-2147483648");
  // A start number near the top of the range plus an index does not wrap.
  EXPECT_EQ(formatted(0, "N", 1, int64_t{INT32_MAX} + 999), "N_2147484646");
}

TEST(NamePattern, PercentInANameStaysLiteral) {
  EXPECT_EQ(formatted(0, "50%d%s%n", 1, 9), "50%d%s%n_9");
  EXPECT_EQ(formatted(0, "%", 0, 9), "%");
  // The longest name, all percent signs, still fits with both numbers.
  std::string percents(kBaseNameMax, '%');
  EXPECT_EQ(formatted(3, percents.c_str(), 3, 1), "001_" + percents + "_001");
}

TEST(NamePattern, OverlongBaseNameIsCut) {
  std::string longName(100, 'a');
  EXPECT_EQ(pattern(0, longName.c_str(), 0), std::string(kBaseNameMax, 'a'));
}

std::string decimal(int32_t value, unsigned flags, int *written = nullptr) {
  char out[kDecimalBuffer];
  int n = writeDecimal(value, out, flags | kTerminate);
  if (written) *written = n;
  return out;
}

TEST(DecimalWriter, PlainSignedAndPadded) {
  int n = 0;
  EXPECT_EQ(decimal(0, 0, &n), "0");
  EXPECT_EQ(n, 1);
  EXPECT_EQ(decimal(14, 0, &n), "14");
  EXPECT_EQ(n, 2);
  EXPECT_EQ(decimal(-5, 0, &n), "-5");
  EXPECT_EQ(n, 2);
  EXPECT_EQ(decimal(INT32_MIN, 0, &n), "-2147483648");
  EXPECT_EQ(n, 11);
  EXPECT_EQ(decimal(INT32_MAX, 0), "2147483647");
  EXPECT_EQ(decimal(42, 5 | kZeroPad, &n), "00042");
  EXPECT_EQ(n, 5);
  EXPECT_EQ(decimal(-7, 3 | kZeroPad), "-07");
  EXPECT_EQ(decimal(-7, 3), "- 7");
  EXPECT_EQ(decimal(123456, 3), "123456");
  EXPECT_EQ(decimal(1, 31 | kZeroPad), std::string(30, '0') + "1");
}

// Every digit count, both sides of each power of ten, with and without
// padding, agree with printf (blank padding goes behind the sign, so negative
// values are compared zero-padded only).
TEST(DecimalWriter, AgreesWithPrintfAtEveryDigitCount) {
  std::vector<int32_t> values = {INT32_MIN, INT32_MAX, INT32_MIN + 1};
  for (int64_t power = 1; power <= 1000000000; power *= 10) {
    for (int64_t v : {power - 1, power, power + 1}) {
      values.push_back(static_cast<int32_t>(v));
      values.push_back(static_cast<int32_t>(-v));
    }
  }
  for (int32_t value : values) {
    for (int width : {0, 1, 2, 3, 12}) {
      char expected[40];
      std::snprintf(expected, sizeof expected, "%*d", width, value);
      if (value >= 0) {
        EXPECT_EQ(decimal(value, static_cast<unsigned>(width)), expected) << value << " width " << width;
      }
      std::snprintf(expected, sizeof expected, "%0*d", width, value);
      EXPECT_EQ(decimal(value, static_cast<unsigned>(width) | kZeroPad), expected)
          << value << " width " << width;
    }
  }
}

TEST(DecimalWriter, WithoutTerminateWritesNoNul) {
  char out[4] = {'x', 'x', 'x', 'x'};
  EXPECT_EQ(writeDecimal(12, out, 0), 2);
  EXPECT_EQ(out[2], 'x');
}

TEST(ItemIdWriter, EightUpperCaseDigits) {
  char out[kItemIdBuffer];
  writeItemId(0, out, kTerminate);
  EXPECT_STREQ(out, "00000000");
  writeItemId(268435466u, out, kTerminate);
  EXPECT_STREQ(out, "1000000A");
  writeItemId(0xFFFFFFFFu, out, kTerminate);
  EXPECT_STREQ(out, "FFFFFFFF");
  writeItemId(0x4000ABCDu, out, kTerminate | kHexPrefix);
  EXPECT_STREQ(out, "0X4000ABCD");
  writeItemId(0x4000ABCDu, out, kTerminate | kHexPrefix | kHexPrefixLower);
  EXPECT_STREQ(out, "0x4000ABCD");
  // Each nibble in each place, every digit and letter.
  for (uint32_t digit = 0; digit < 16; ++digit) {
    for (int shift = 0; shift < 32; shift += 4) {
      const uint32_t id = (digit << shift) | (0x1u << ((shift + 4) % 32));
      char expected[16];
      std::snprintf(expected, sizeof expected, "%08X", id);
      writeItemId(id, out, kTerminate);
      EXPECT_STREQ(out, expected);
    }
  }
}

TEST(LeadingDecimal, ReadsAsAPersonTypes) {
  EXPECT_EQ(parseLeadingDecimal("12abc"), 12);
  EXPECT_EQ(parseLeadingDecimal("007"), 7);
  EXPECT_EQ(parseLeadingDecimal("  -4"), -4);
  EXPECT_EQ(parseLeadingDecimal("+9"), 9);
  EXPECT_EQ(parseLeadingDecimal("abc"), 0);
  EXPECT_EQ(parseLeadingDecimal(""), 0);
  EXPECT_EQ(parseLeadingDecimal("--4"), 0);
  EXPECT_EQ(parseLeadingDecimal("99999999999"), INT32_MAX);
  EXPECT_EQ(parseLeadingDecimal("-99999999999"), INT32_MIN);
}

struct Recorder {
  std::string last;
  static int evaluate(void *data, const char *text) {
    static_cast<Recorder *>(data)->last = text;
    return 7;
  }
};

TEST(ReadyMadeCommands, DynamicUpdateAndStatus) {
  Recorder r;
  GenericLocal local = mint::testing::genericLocal(&r, &Recorder::evaluate);
  EXPECT_EQ(sendDynamicUpdate(&local, 0), 7);
  EXPECT_EQ(r.last, "DynamicUpdate 0");
  sendDynamicUpdate(&local, 2);
  EXPECT_EQ(r.last, "DynamicUpdate 2");
  sendDynamicUpdate(&local, 12);
  EXPECT_EQ(r.last, "DynamicUpdate 12");
  sendStatus(&local, 1);
  EXPECT_EQ(r.last, "StatusMsg Selecting");
  sendStatus(&local, 0);
  EXPECT_EQ(r.last, "StatusMsg Done");
}

}  // namespace
}  // namespace mint

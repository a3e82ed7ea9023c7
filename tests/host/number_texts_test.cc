// Numbers to and from text without the library's general conversions each
// time: short decimals read without the library parser come out as the
// library reads them, bit for bit, and everything else is left to the
// library; the remembered text of a double is always that double's.
#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstring>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "host/text/real_texts.h"
#include "host/text/short_decimal.h"

namespace layout {
namespace {

// The double from_chars reads from the whole text, if it reads all of it.
std::optional<double> libraryValue(const std::string &text) {
  double value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

void expectAsLibrary(const std::string &text) {
  double value = 0;
  if (!readShortDecimal(text, value)) return;
  const std::optional<double> expected = libraryValue(text);
  ASSERT_TRUE(expected) << text << " is no number to the library";
  ASSERT_EQ(std::memcmp(&value, &*expected, sizeof value), 0) << text << ": " << value << " / " << *expected;
}

TEST(ShortDecimalTest, CommonValuesAreReadExactly) {
  for (const char *text :
       {"0.5", "0.4", "-0.5", "50", "0.000001", "1.000000", "-0", "-0.0", "5.", ".5", "-.5", "0.1", "0.3",
        "123456789.123456", "9007199254740992", "0.0000000000000000000001"}) {
    double value = 0;
    EXPECT_TRUE(readShortDecimal(text, value)) << text;
    expectAsLibrary(text);
  }
}

TEST(ShortDecimalTest, WhatItCannotReadExactlyIsLeftToTheLibrary) {
  for (const char *text :
       {"", "-", ".", "-.", "1..2", "1.2.3", "+1", "1e5", "1e", "0x10", "inf", "nan", " 1", "1 ", "1a",
        "9007199254740993", "12345678901234567890", "0.00000000000000000000001", "1,5"}) {
    double value = 0;
    EXPECT_FALSE(readShortDecimal(text, value)) << text;
  }
}

TEST(ShortDecimalTest, RandomDecimalsAroundEveryLimitMatchTheLibrary) {
  std::mt19937_64 random(7);
  for (int i = 0; i < 200000; ++i) {
    const size_t length = 1 + random() % 24;
    std::string text = random() % 4 == 0 ? "-" : "";
    for (size_t j = 0; j < length; ++j) text += static_cast<char>('0' + (i % 3 == 0 ? 9 : random() % 10));
    if (random() % 8 != 0) text.insert(text.size() - random() % (length + 1), ".");
    expectAsLibrary(text);
    if (testing::Test::HasFatalFailure()) return;
  }
  // Integers on both sides of 2^53, with and without a point.
  for (uint64_t n = (uint64_t{1} << 53) - 3; n < (uint64_t{1} << 53) + 3; ++n) {
    expectAsLibrary(std::to_string(n));
    expectAsLibrary(std::to_string(n) + ".");
    expectAsLibrary("0." + std::to_string(n));
  }
}

size_t plainText(double value, char (&text)[32]) {
  return static_cast<size_t>(std::to_chars(text, text + sizeof text, value).ptr - text);
}

TEST(RealTextsTest, ValuesThatShareASlotEachGetTheirOwnText) {
  RealTexts<plainText> texts;
  std::mt19937_64 random(3);
  std::vector<double> values = {0.0, -0.0, 0.5, 1.0, 1e300, -2.5e-300};
  for (int i = 0; i < 500; ++i)
    values.push_back(std::ldexp(static_cast<double>(random() % 100000), -(i % 40)));
  for (int round = 0; round < 3; ++round) {
    for (double value : values) {
      char expected[32];
      ASSERT_EQ(texts(value), std::string_view(expected, plainText(value, expected))) << value;
    }
  }
}

}  // namespace
}  // namespace layout

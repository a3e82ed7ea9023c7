// Splitting a text around its last number and writing the number back gives
// the text byte for byte, for every digit count and point position.
#include "host/commands/numbered_text.h"

#include <gtest/gtest.h>

#include <string>

namespace layout {
namespace {

std::string rebuilt(const NumberedText &split) {
  char digits[NumberedText::kMaxDigits + 1];
  const char *end = writeNumber(digits, split.value, split.digits, split.decimals);
  return std::string(split.prefix) + std::string(digits, static_cast<size_t>(end - digits)) +
         std::string(split.suffix);
}

TEST(NumberedTextTest, FindsTheLastNumberWithItsShape) {
  const auto split = NumberedText::split("StatusMsg {0.000500} Creating");
  ASSERT_TRUE(split);
  EXPECT_EQ(split->prefix, "StatusMsg {");
  EXPECT_EQ(split->suffix, "} Creating");
  EXPECT_EQ(split->value, 500u);
  EXPECT_EQ(split->digits, 7);
  EXPECT_EQ(split->decimals, 6);

  const auto name = NumberedText::split("AddNull 12 Null_007x");
  ASSERT_TRUE(name);
  EXPECT_EQ(name->prefix, "AddNull 12 Null_");
  EXPECT_EQ(name->value, 7u);
  EXPECT_EQ(name->digits, 3);
  EXPECT_EQ(name->decimals, 0);

  // A point belongs to the number only with digits on both sides.
  EXPECT_EQ(NumberedText::split("x .5")->prefix, "x .");
  EXPECT_EQ(NumberedText::split("x 5.")->suffix, ".");
  EXPECT_EQ(NumberedText::split("1.2.3")->prefix, "1.");

  EXPECT_FALSE(NumberedText::split("BoneStrengthMultiply"));
  EXPECT_FALSE(NumberedText::split("Value 1234567890123456789"));
  EXPECT_FALSE(NumberedText::split("Value 123456789.0123456789"));
}

TEST(NumberedTextTest, EveryDigitCountAndPointPositionRoundTrips) {
  for (size_t digits = 1; digits <= NumberedText::kMaxDigits; ++digits) {
    for (size_t decimals = 0; decimals < digits; ++decimals) {
      for (const char *pattern : {"0000000000000000000", "9999999999999999999", "1020304050607080900"}) {
        std::string number(pattern, digits);
        if (decimals) number.insert(digits - decimals, ".");
        const std::string text = "Value " + number + " end";
        const auto split = NumberedText::split(text);
        ASSERT_TRUE(split) << text;
        EXPECT_EQ(rebuilt(*split), text);
      }
    }
  }
}

}  // namespace
}  // namespace layout

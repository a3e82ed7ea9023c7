// The line grammar of Layout scene files as the reader takes it apart one
// piece at a time: it must agree with the whole-line split the writer uses,
// and its hand-read numbers with the library's.
#include "host/scene_files/lws_lines.h"

#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <random>
#include <string>
#include <vector>

namespace layout {
namespace {

const std::vector<std::string> kLines = {
    "",
    "   ",
    "Key",
    "ShowObject 6 7",
    "  Key 2.5 0 0 0 0 0 0 0 0",
    "\tBehaviors\t1  1 ",
    "BoneName  Two  spaces  kept ",
    "LoadObjectLayer 1 10000000 Objects/A Prop With Spaces.lwo",
    "a b c d e f g h i j",
    "a b c d e f g      ",
    "ABCDEFGH",
    "ABCDEFGHIJKLMNOPQ rest",
    "}x",
};

TEST(LwsLines, WordsOneAtATimeAreTheWordsOfTheWholeSplit) {
  for (const std::string &line : kLines) {
    SCOPED_TRACE("\"" + line + "\"");
    const LwsWords whole(line);
    std::string_view word = keywordOf(line);
    for (size_t i = 0; i <= LwsWords::kMax; ++i) {
      EXPECT_EQ(word, whole[i]) << "word " << i;
      word = lwsNextWord(line, word, i);
    }
    // The first word is found the same where the line ends the text and
    // where more lines follow, at every alignment.
    for (const std::string &before : {std::string(), std::string("x\n"), std::string(5, '\n')}) {
      for (const std::string &after : {std::string(), std::string("\nnext line")}) {
        const std::string text = before + line + after;
        const size_t begin = before.size();
        const size_t first = begin + (line.size() - trimmedStart(line).size());
        const size_t end = lwsWordEnd(text, first, begin + line.size());
        EXPECT_EQ(std::string_view(text).substr(first, end - first), whole[0]);
      }
    }
  }
}

// What from_chars makes of `word`, as the reader takes numbers.
std::optional<double> libraryReal(std::string_view word) {
  double value = 0;
  const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
  if (word.empty() || error != std::errc() || end != word.data() + word.size() || !std::isfinite(value))
    return std::nullopt;
  return value;
}
std::optional<long> libraryInteger(std::string_view word) {
  long value = 0;
  const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
  if (word.empty() || error != std::errc() || end != word.data() + word.size()) return std::nullopt;
  return value;
}

void expectSameNumbers(const std::string &word) {
  SCOPED_TRACE("\"" + word + "\"");
  const std::optional<double> real = parseLwsReal(word), expectedReal = libraryReal(word);
  ASSERT_EQ(real.has_value(), expectedReal.has_value());
  if (real) {
    EXPECT_EQ(std::bit_cast<uint64_t>(*real), std::bit_cast<uint64_t>(*expectedReal));  // -0 too
  }
  EXPECT_EQ(parseLwsInteger(word), libraryInteger(word));
}

TEST(LwsLines, NumbersReadByHandAreTheLibrarysToTheLastBit) {
  for (const char *word : {"0",
                           "-0",
                           "-0.0",
                           "007",
                           "1.",
                           ".5",
                           "-.5",
                           "+1",
                           "-",
                           "",
                           "1e5",
                           "1E-3",
                           "0.1",
                           "0.3",
                           "2.675",
                           "123456789012345",
                           "1234567890123456",
                           "0.30000000000000004",
                           "999999999999999.9",
                           "1.2.3",
                           "1,5",
                           " 1",
                           "1 ",
                           "inf",
                           "nan",
                           "0x10",
                           "9223372036854775807",
                           "-9223372036854775808",
                           "9223372036854775808",
                           "999999999999999999",
                           "1000000000000000000",
                           "00000000000000000001"}) {
    expectSameNumbers(word);
  }
  // Decimals of every length the short way takes, and just past it.
  std::mt19937 random(2024);
  for (int i = 0; i < 20000; ++i) {
    std::string word = random() % 4 == 0 ? "-" : "";
    const int digits = 1 + static_cast<int>(random() % 18);
    const int point = static_cast<int>(random() % (digits + 1));
    for (int d = 0; d < digits; ++d) {
      if (d == point && d > 0) word += '.';
      word += static_cast<char>('0' + random() % 10);
    }
    expectSameNumbers(word);
  }
}

TEST(LwsLines, ItemIdsAreEightHexadecimalDigitsOfEitherCase) {
  for (const char *word : {"4000000A", "4000000a", "1000000F", "30000000", "FFFFFFFF", "0x100000", "-1000000",
                           "+1000000", "1000000G", "1000000", "100000000", "10000000 ", " 1000000"}) {
    SCOPED_TRACE(word);
    const std::string_view text(word);
    ItemID expected = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), expected, 16);
    const bool whole = text.size() == 8 && error == std::errc() && end == text.data() + text.size();
    EXPECT_EQ(parseLwsId(text), whole ? std::optional<ItemID>(expected) : std::nullopt);
  }
}

}  // namespace
}  // namespace layout

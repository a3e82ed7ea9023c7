// The line grammar of Layout scene files as the reader takes it apart one
// piece at a time: it must agree with the whole-line split the writer uses,
// and its hand-read numbers with the library's.
#include "host/scene_files/lws_lines.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstring>
#include <memory>
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

// A line as a plain reading of the text gives it: its bytes without the
// break (and a carriage return before it), its first byte after blanks and
// the end of its first word.
struct PlainLine {
  size_t begin, textEnd, end, first, wordEnd;
};
std::vector<PlainLine> plainLines(std::string_view text) {
  std::vector<PlainLine> lines;
  for (size_t at = 0; at < text.size();) {
    const size_t newline = text.find('\n', at);
    const size_t end = newline == std::string_view::npos ? text.size() : newline + 1;
    size_t textEnd = newline == std::string_view::npos ? text.size() : newline;
    if (textEnd > at && text[textEnd - 1] == '\r') --textEnd;
    size_t first = at;
    while (first < textEnd && isLwsBlank(text[first])) ++first;
    size_t wordEnd = first;
    while (wordEnd < textEnd && !isLwsBlank(text[wordEnd])) ++wordEnd;
    lines.push_back({at, textEnd, end, first, wordEnd});
    at = end;
  }
  return lines;
}

// Texts whose line breaks, blanks and braces fall on either side of the 16,
// 32 and 64-byte steps the cutter looks at bytes in, some with carriage
// returns just before a step, some ending without a break.
std::vector<std::string> cutterTexts() {
  const std::vector<std::string> pieces = {
      "Key", "  ", "\t",         " ",  "{ Envelope",         "}", "1",     "\r\n", "\n",
      "\n",  "x",  "ParentItem", "\r", std::string(70, 'a'), "{", "\n}\n", "\n\n"};
  std::vector<std::string> texts = {"",
                                    "\n",
                                    "\r\n",
                                    "a",
                                    "}",
                                    "  {",
                                    std::string(64, '\n'),
                                    std::string(63, ' ') + "\r\n{\n",
                                    std::string(200, ' ')};
  for (size_t shift = 0; shift < 70; ++shift) {
    texts.push_back(std::string(shift, 'k') + "\r\n  }\n\t{ x\nline}\n");
  }
  std::mt19937 random(11);
  for (int i = 0; i < 400; ++i) {
    std::string text;
    const size_t count = random() % 60;
    for (size_t piece = 0; piece < count; ++piece) text += pieces[random() % pieces.size()];
    texts.push_back(text);
  }
  return texts;
}

TEST(LwsLines, TheCutterGivesEachLineItsFirstWordAndSkipsOnlyLinesWithoutBraces) {
  for (const std::string &text : cutterTexts()) {
    SCOPED_TRACE(::testing::PrintToString(text));
    const std::vector<PlainLine> expected = plainLines(text);
    LwsLineCutter cutter(text);
    LwsLine line;
    for (const PlainLine &plain : expected) {
      ASSERT_TRUE(cutter.next(line));
      EXPECT_EQ(line.begin, plain.begin);
      EXPECT_EQ(line.end, plain.end);
      EXPECT_EQ(line.begin + line.text.size(), plain.textEnd);
      EXPECT_EQ(cutter.firstNonBlank(line), plain.first);
      EXPECT_EQ(cutter.wordEnd(line, plain.first), plain.wordEnd);
    }
    EXPECT_FALSE(cutter.next(line));

    // From every line start, the skip stops at a line start no later than
    // the first line beginning with a brace after blanks, passing only
    // lines that do not.
    for (size_t from = 0; from < expected.size(); ++from) {
      LwsLineCutter skipping(text);
      skipping.skipTo(expected[from].begin);
      skipping.skipLinesWithoutBrace();
      size_t brace = from;
      while (brace < expected.size() && expected[brace].first == expected[brace].textEnd) ++brace;
      for (; brace < expected.size(); ++brace) {
        const PlainLine &at = expected[brace];
        if (at.first < at.textEnd && (text[at.first] == '{' || text[at.first] == '}')) break;
      }
      const size_t braceStart = brace < expected.size() ? expected[brace].begin : text.size();
      const size_t stop = skipping.position();
      EXPECT_LE(stop, braceStart) << "from line " << from;
      EXPECT_TRUE(stop == text.size() ||
                  std::any_of(expected.begin(), expected.end(),
                              [&](const PlainLine &plain) { return plain.begin == stop; }))
          << "from line " << from << ": " << stop << " starts no line";
      // The lines after the stop come as they would have.
      if (skipping.next(line)) {
        EXPECT_EQ(line.begin, stop);
        const auto same = std::find_if(expected.begin(), expected.end(),
                                       [&](const PlainLine &plain) { return plain.begin == stop; });
        ASSERT_NE(same, expected.end());
        EXPECT_EQ(line.end, same->end);
        EXPECT_EQ(skipping.firstNonBlank(line), same->first);
      }
    }
  }
}

TEST(LwsLines, ACutterOverAGrowingTextFindsTheSameLines) {
  for (const std::string &text : cutterTexts()) {
    SCOPED_TRACE(::testing::PrintToString(text));
    const std::vector<PlainLine> expected = plainLines(text);
    // The text is seen up to each line break in turn, as while it is read.
    std::vector<size_t> visibleEnds;
    for (const PlainLine &plain : expected) visibleEnds.push_back(plain.end);
    size_t visible = 0;
    LwsLineCutter cutter(std::string_view(text).substr(0, 0));
    LwsLine line;
    for (const PlainLine &plain : expected) {
      while (!cutter.next(line)) {
        ASSERT_LT(visible, visibleEnds.size());
        cutter.extend(std::string_view(text).substr(0, visibleEnds[visible++]));
      }
      EXPECT_EQ(line.begin, plain.begin);
      EXPECT_EQ(line.end, plain.end);
      EXPECT_EQ(cutter.firstNonBlank(line), plain.first);
      EXPECT_EQ(cutter.wordEnd(line, plain.first), plain.wordEnd);
    }
  }
}

TEST(LwsLines, KeywordsThatShareALetterALengthOrABeginningAreToldApart) {
  const std::vector<std::pair<std::string, LwsKeyword>> words = {
      {"LoadObject", LwsKeyword::kLoadObject},
      {"LoadObjectLayer", LwsKeyword::kLoadObjectLayer},
      {"LoadObjectLayeR", LwsKeyword::kOther},
      {"LoadObjectLaye", LwsKeyword::kOther},
      {"loadObject", LwsKeyword::kOther},
      {"BoneActive", LwsKeyword::kBoneActive},
      {"BoneMotion", LwsKeyword::kOther},  // same letter and length
      {"BoneName", LwsKeyword::kBoneName},
      {"BoneType", LwsKeyword::kBoneType},
      {"BoneTypf", LwsKeyword::kOther},
      {"AddBone", LwsKeyword::kAddBone},  // shorter than eight
      {"AddBonf", LwsKeyword::kOther},
      {"ShowBone", LwsKeyword::kShowBone},  // eight exactly
      {"ShowBonE", LwsKeyword::kOther},
      {"xhowBone", LwsKeyword::kOther},
      {"CurrentObject", LwsKeyword::kSceneWide},
      {"CurrentCamera", LwsKeyword::kSceneWide},
      {"CurrentCamerx", LwsKeyword::kOther},
      {"UnseenByRadiosity", LwsKeyword::kUnseenByRadiosity},
      {"UnseenByRadiositx", LwsKeyword::kOther},
      {"GlobalLensFlareIntensity", LwsKeyword::kSceneWide},
      {"GlobalLensFlareIntensitY", LwsKeyword::kOther},
      {"", LwsKeyword::kOther},
      {"}", LwsKeyword::kOther},
      {std::string(40, 'B'), LwsKeyword::kOther},
  };
  for (const auto &[word, keyword] : words) {
    // The word at the very end of its text, so that no byte past it is read.
    const std::unique_ptr<char[]> alone(new char[word.size() + 1]);
    std::memcpy(alone.get(), word.data(), word.size());
    EXPECT_EQ(lwsKeyword(std::string_view(alone.get(), word.size())), keyword) << word;
  }
}

TEST(LwsLines, AChannelIsTheNumberAfterItsKeyword) {
  for (const auto &[line, channel] : std::vector<std::pair<std::string, int>>{{"Channel 0", 0},
                                                                              {"Channel 8", 8},
                                                                              {"Channel 9", -1},
                                                                              {"Channel 10", -1},
                                                                              {"Channel  3", 3},
                                                                              {"Channel\t4", 4},
                                                                              {"Channel 5 x", 5},
                                                                              {"Channel -1", -1},
                                                                              {"Channel x", -1},
                                                                              {"Channel", -1},
                                                                              {"  Channel 2", 2}}) {
    LwsBlocks blocks;
    ASSERT_EQ(blocks.see(line), LwsBlocks::Role::kTopLevel);
    EXPECT_EQ(blocks.channel(), channel) << line;
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
                           "00000000000000000001",
                           "9007199254740992",
                           "9007199254740993",
                           "-9007199254740993",
                           "0.9007199254740992",
                           "0.9007199254740993",
                           "900719925474099.3",
                           "1234567890123456789",
                           "0.1234567890123456789",
                           "0.0000000000000000001",
                           "12345678901234567890",
                           "1.2345678901234567890",
                           "-0.000000000000000000"}) {
    expectSameNumbers(word);
  }
  // Decimals of every length the short way takes, and just past it.
  std::mt19937 random(2024);
  for (int i = 0; i < 30000; ++i) {
    std::string word = random() % 4 == 0 ? "-" : "";
    const int digits = 1 + static_cast<int>(random() % 21);
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
                           "+1000000", "1000000G", "1000000", "100000000", "10000000 ", " 1000000",
                           "1000000\xC6", "1000000/", "1000000:", "1000000@", "1000000`", "1000000g"}) {
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

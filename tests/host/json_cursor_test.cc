// The one-pass reader of scene files reads JSON itself; these hold it to the
// general parser on the texts where hand-written readers usually go wrong.
#include "host/scene_files/json_cursor.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/scene_files/json_reader.h"
#include "tests/host/json_from_cursor.h"

namespace layout {
namespace {

using testing::jsonFromText;
using testing::sameJson;

TEST(JsonCursor, ReadsEveryValueAsTheGeneralParserDoes) {
  const std::vector<std::string> texts = {
      R"({"a": [1, -1, 0, -0, 1.5, -0.0, 1e3, 1E-3, 2.5e+2, true, false, null, "", {}, []]})",
      // Whole numbers keep an integer kind while they fit 64 bits.
      R"([9223372036854775807, 9223372036854775808, -9223372036854775808, -9223372036854775809])",
      R"([18446744073709551615, 18446744073709551616, 123456789012345678901234567890])",
      // Beyond a double's precision, below its range, at its edges.
      R"([0.1, 1.7976931348623157e308, 4.9e-324, 2.4e-324, 1e-400, -1e-400, 0e999999])",
      // Escapes, surrogate pairs, a NUL, and UTF-8 as it is.
      R"(["\"\\\/\b\f\n\r\t", "\u00e9\u20AC\ud83d\ude00", "a\u0000b", "é€😀", "\u0041BC"])",
      "\xEF\xBB\xBF {\"byte order mark\": 1}",
      " \t\r\n{ \"spaced\" \n:\t[ ] , \"again\":{ } } \n",
      R"({"twice": 1, "twice": [2]})",
      "\"a string alone\"",
      // A NUL byte ends the text.
      std::string("[1] \0 anything", 15),
      "12",
  };
  for (const std::string &text : texts) {
    SCOPED_TRACE(text);
    EXPECT_TRUE(sameJson(jsonFromText(text), nlohmann::json::parse(text)))
        << jsonFromText(text).dump() << " against " << nlohmann::json::parse(text).dump();
  }
}

TEST(JsonCursor, StopsWhereTheGeneralParserFindsAFault) {
  const std::vector<std::string> texts = {
      "",
      " ",
      "{",
      "[1,]",
      "[1 2]",
      "{\"a\" 1}",
      "{\"a\": 1,}",
      "{1: 2}",
      "{\"a\": }",
      "[01]",
      "[1.]",
      "[.5]",
      "[1e]",
      "[1e+]",
      "[-]",
      "[+1]",
      "[0x10]",
      "[tru]",
      "[nul]",
      "[True]",
      "{} {}",
      "{}x",
      "[1e999]",
      "[-1e400]",
      "[\"a\nb\"]",
      "[\"a\\x\"]",
      "[\"\\u12G4\"]",
      "[\"\\ud83d\"]",
      "[\"\\ud83dx\"]",
      "[\"\\ud83d\\u0041\"]",
      "[\"\\ude00\"]",
      "[\"unclosed]",
      "[\"\xC0\xAF\"]",
      "[\"\xE0\x80\xAF\"]",
      "[\"\xED\xA0\x80\"]",
      "[\"\xF4\x90\x80\x80\"]",
      "[\"\xF5\x80\x80\x80\"]",
      "[\"\x80\"]",
      "[\"\xC3\"]",
      "[\"\xE2\x82\"]",
      "\xEF\xBB{}",
      "{\"a\": 1 /* no comments */}",
      "[NaN]",
      "[Infinity]",
  };
  for (const std::string &text : texts) {
    SCOPED_TRACE(::testing::PrintToString(text));
    EXPECT_FALSE(nlohmann::json::accept(text));
    EXPECT_THROW(jsonFromText(text), JsonSyntaxError);
    // And the general parser has a message for it.
    EXPECT_FALSE(explainJsonError(text).message.empty());
  }
}

TEST(JsonCursor, RefusesNestingPastTheLimitAtTheBracketThatGoesTooDeep) {
  const std::string fine = std::string(kMaxJsonNesting, '[') + std::string(kMaxJsonNesting, ']');
  EXPECT_NO_THROW(jsonFromText(fine));
  const std::string deep =
      "{\"a\": " + std::string(kMaxJsonNesting, '[') + std::string(kMaxJsonNesting, ']') + "}";
  try {
    jsonFromText(deep);
    FAIL() << "nesting past the limit was read";
  } catch (const JsonTextError &error) {
    EXPECT_EQ(error.offset, deep.find('[') + kMaxJsonNesting - 1);
    EXPECT_EQ(error.message, "nested deeper than 256 levels");
  }
}

}  // namespace
}  // namespace layout

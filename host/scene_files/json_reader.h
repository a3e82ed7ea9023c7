// Reading a JSON text that a user wrote (a scene, a session): nesting is
// limited, so a hostile file cannot exhaust the stack or take quadratic time,
// and every failure comes with the byte offset it is at. Nothing about places
// is kept while the text is read: host/text/json_location.h finds a value's place
// from its path only when there is something to report.
#pragma once

#include <cstddef>
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>

namespace layout {

// Objects and lists inside one another, the document itself counting one.
inline constexpr int kMaxJsonNesting = 256;

struct JsonTextError {
  size_t offset;  // std::string_view::npos when the parser did not say
  std::string message;
};

// The offset of the first '{' or '[' that opens a level deeper than `limit`,
// or npos. Strings are skipped; the text need not be valid.
size_t nestingTooDeepAt(std::string_view text, int limit = kMaxJsonNesting);

// "nested deeper than 256 levels"
std::string tooDeepMessage();

// Translates the parser's failure into an offset and a message without the
// parser's own "[json.exception...] at line, column" prefix.
JsonTextError jsonTextError(std::string_view text, const nlohmann::json::exception &error);

// The general parser's message and place for a text that is not valid JSON
// (or nests past kMaxJsonNesting), found without building anything, for a
// reader that stopped at a byte it could not read. The message is empty when
// the parser finds nothing wrong; the offset is npos when it gives none.
JsonTextError explainJsonError(std::string_view text);

// Parses `text` whole. Throws JsonTextError for a syntax error or nesting past
// kMaxJsonNesting, which is checked in a pass of its own.
nlohmann::json parseJsonText(std::string_view text);

}  // namespace layout

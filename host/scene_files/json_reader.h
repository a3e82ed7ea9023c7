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

// Parses `text`, passing every event to `onEvent(depth, event, value)` as
// nlohmann::json's parser callback does (false drops the value). Throws
// JsonTextError for a syntax error or nesting past kMaxJsonNesting; whatever
// `onEvent` throws passes through.
template <typename OnEvent>
nlohmann::json parseJsonText(std::string_view text, OnEvent &&onEvent) {
  struct TooDeep {};
  try {
    return nlohmann::json::parse(
        text.begin(), text.end(),
        [&onEvent](int depth, nlohmann::json::parse_event_t event, nlohmann::json &value) {
          using Event = nlohmann::json::parse_event_t;
          if ((event == Event::object_start || event == Event::array_start) && depth >= kMaxJsonNesting)
            throw TooDeep{};
          return onEvent(depth, event, value);
        });
  } catch (const TooDeep &) {
    throw JsonTextError{nestingTooDeepAt(text), tooDeepMessage()};
  } catch (const nlohmann::json::exception &error) {
    throw jsonTextError(text, error);
  }
}

// The same without a callback. The parser's callback form slows down on long
// lists it keeps whole, so this one checks the nesting in a pass of its own.
nlohmann::json parseJsonText(std::string_view text);

}  // namespace layout

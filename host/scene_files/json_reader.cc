#include "host/scene_files/json_reader.h"

namespace layout {
namespace {

// The parser's message without its own "[json.exception...] parse error at
// line 1, column 5: " prefix, as the place is given the usual way.
std::string parserMessage(const nlohmann::json::exception &error) {
  const std::string_view what = error.what();
  const size_t column = what.find(", column ");
  const size_t start = column != std::string_view::npos ? what.find(": ", column) : what.find("] ");
  return std::string(start == std::string_view::npos ? what : what.substr(start + 2));
}

// A number too large for a double has no offset in the parser's error, but
// the message quotes it: the first place the text has it is a fair guess.
size_t quotedLiteralOffset(std::string_view text, std::string_view message) {
  const size_t open = message.find('\'');
  const size_t close = message.rfind('\'');
  if (open == std::string_view::npos || close <= open + 1) return std::string_view::npos;
  return text.find(message.substr(open + 1, close - open - 1));
}

// Takes every event and keeps nothing; only a failure matters, thrown as
// the parser made it.
struct Unbuilt {
  using Json = nlohmann::json;
  bool null() { return true; }
  bool boolean(bool) { return true; }
  bool number_integer(Json::number_integer_t) { return true; }
  bool number_unsigned(Json::number_unsigned_t) { return true; }
  bool number_float(Json::number_float_t, const Json::string_t &) { return true; }
  bool string(Json::string_t &) { return true; }
  bool binary(Json::binary_t &) { return true; }
  bool start_object(std::size_t) { return ++depth <= kMaxJsonNesting; }
  bool key(Json::string_t &) { return true; }
  bool end_object() { return --depth, true; }
  bool start_array(std::size_t) { return ++depth <= kMaxJsonNesting; }
  bool end_array() { return --depth, true; }
  template <class Exception>
  bool parse_error(std::size_t, const std::string &, const Exception &error) {
    throw error;
  }
  int depth = 0;
};

}  // namespace

JsonTextError explainJsonError(std::string_view text) {
  Unbuilt events;
  try {
    if (nlohmann::json::sax_parse(text.begin(), text.end(), &events)) return {std::string_view::npos, {}};
  } catch (const nlohmann::json::exception &error) {
    return jsonTextError(text, error);
  }
  return {nestingTooDeepAt(text), tooDeepMessage()};
}

size_t nestingTooDeepAt(std::string_view text, int limit) {
  int depth = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    switch (text[i]) {
      case '"':
        for (++i; i < text.size() && text[i] != '"'; ++i) {
          if (text[i] == '\\') ++i;
        }
        break;
      case '{':
      case '[':
        if (++depth > limit) return i;
        break;
      case '}':
      case ']':
        --depth;
        break;
      default:
        break;
    }
  }
  return std::string_view::npos;
}

std::string tooDeepMessage() { return "nested deeper than " + std::to_string(kMaxJsonNesting) + " levels"; }

nlohmann::json parseJsonText(std::string_view text) {
  if (const size_t tooDeep = nestingTooDeepAt(text); tooDeep != std::string_view::npos) {
    throw JsonTextError{tooDeep, tooDeepMessage()};
  }
  try {
    return nlohmann::json::parse(text);
  } catch (const nlohmann::json::exception &error) {
    throw jsonTextError(text, error);
  }
}

JsonTextError jsonTextError(std::string_view text, const nlohmann::json::exception &error) {
  const std::string message = parserMessage(error);
  if (const auto *syntax = dynamic_cast<const nlohmann::json::parse_error *>(&error)) {
    // `byte` counts the characters read, the offending one last.
    return {syntax->byte > 0 ? syntax->byte - 1 : 0, message};
  }
  return {quotedLiteralOffset(text, message), message};
}

}  // namespace layout

// A JSON text read a token at a time, in one pass over its bytes, for files
// too large to hold as a tree: nothing is built but the value at hand.
// Strings come back decoded (a view into the text when they have no escapes),
// numbers with the kind the general JSON library gives them, so a message
// shows a value as it always has. The grammar is strict: UTF-8 is checked in
// strings, numbers take only JSON's forms, and only white space may follow
// the document (up to a NUL byte, which ends the text). The first byte that cannot continue the text throws a
// JsonSyntaxError; the reader then asks the general parser for its message.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace layout {

// One value as read: a scalar, or only the kind of an object or array.
struct JsonValue {
  enum class Kind : uint8_t { kNull, kBool, kUnsigned, kInteger, kReal, kString, kArray, kObject };

  Kind kind = Kind::kNull;
  bool boolean = false;
  uint64_t unsignedValue = 0;  // a number without fraction or exponent, 0 or more
  int64_t integer = 0;         // one below 0
  double real = 0;             // any other number, always finite
  std::string_view text;       // a string's decoded text

  bool isInteger() const { return kind == Kind::kUnsigned || kind == Kind::kInteger; }
  bool isNumber() const { return isInteger() || kind == Kind::kReal; }
  double number() const;
};

struct JsonSyntaxError {
  size_t offset;
};

// The small steps taken for every token are defined here so they inline
// into the reader's loops.
class JsonCursor {
 public:
  explicit JsonCursor(std::string_view text);

  // The first character of what comes next, after white space; '\0' at the
  // end of the text.
  char peek() {
    skipSpace();
    return pos_ < size_ ? text_[pos_] : '\0';
  }
  size_t offset() const { return pos_; }

  // At '{' or '['. Throws JsonTextError when that opens more levels than
  // kMaxJsonNesting.
  void enterObject();
  void enterArray() { enterObject(); }
  // Whether the object just entered has a first member, or one more after
  // the value just read; false once its closing brace is read.
  bool firstMember() { return !closes('}'); }
  bool nextMember() { return next('}'); }
  bool firstElement() { return !closes(']'); }
  bool nextElement() { return next(']'); }
  // A member's name and its colon. `scratch` holds the name when it has escapes.
  std::string_view key(std::string &scratch) {
    if (peek() != '"') syntaxError();
    const std::string_view name = string(scratch);
    if (peek() != ':') syntaxError();
    ++pos_;
    return name;
  }
  // The next value; an object or array is checked and passed over, and only
  // its kind is given.
  JsonValue value(std::string &scratch) {
    JsonValue result;
    switch (peek()) {
      case '"':
        result.kind = JsonValue::Kind::kString;
        result.text = string(scratch);
        return result;
      case '{':
      case '[':
        result.kind = peek() == '{' ? JsonValue::Kind::kObject : JsonValue::Kind::kArray;
        skipValue();
        return result;
      case 't':
      case 'f':
      case 'n':
        return literal();
      default:
        return number();
    }
  }
  void skipValue();
  // Only white space may follow the document, up to the end or a NUL byte.
  void finish();

 private:
  [[noreturn]] void syntaxError() const;
  void skipSpace() {
    while (pos_ < size_) {
      const char c = text_[pos_];
      if (c != ' ' && c != '\n' && c != '\r' && c != '\t') return;
      ++pos_;
    }
  }
  bool closes(char bracket) {
    if (peek() != bracket) return false;
    ++pos_;
    --depth_;
    return true;
  }
  bool next(char bracket) {
    if (closes(bracket)) return false;
    if (peek() != ',') syntaxError();
    ++pos_;
    return true;
  }
  // Plain printable ASCII, what nearly every name is, is passed over a byte
  // at a time and given as a view; anything else goes the careful way.
  std::string_view string(std::string &scratch) {
    const size_t start = ++pos_;
    for (size_t at = start; at < size_; ++at) {
      const unsigned char c = static_cast<unsigned char>(text_[at]);
      if (c == '"') {
        pos_ = at + 1;
        return {text_ + start, at - start};
      }
      if (c == '\\' || c < 0x20 || c >= 0x80) {
        pos_ = at;
        return escapedString(start, scratch);
      }
    }
    pos_ = size_;
    syntaxError();
  }
  std::string_view escapedString(size_t start, std::string &scratch);
  void escape(std::string &out);
  void utf8Sequence(std::string &out);
  JsonValue number();
  JsonValue literal();

  const char *text_;
  size_t size_;
  size_t pos_ = 0;
  int depth_ = 0;
};

}  // namespace layout

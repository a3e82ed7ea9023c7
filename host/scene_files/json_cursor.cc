#include "host/scene_files/json_cursor.h"

#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdlib>

#include "host/scene_files/json_reader.h"

namespace layout {
namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

int hexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

void appendUtf8(std::string &out, uint32_t code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (code >> 18));
    out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

// A number that from_chars finds out of a double's range, read as strtod
// reads it (zero when it underflows, infinity when it overflows), with the
// point the current locale expects.
double outOfRange(std::string_view token) {
  std::string copy(token);
  const char point = *std::localeconv()->decimal_point;
  for (char &c : copy) {
    if (c == '.') c = point;
  }
  return std::strtod(copy.c_str(), nullptr);
}

// Most reals in a scene file are short decimals such as 0.5 or -1.25e2.
// When the digits make an integer a double holds exactly and the power of
// ten is one a double holds exactly too, one multiplication or division
// rounds correctly, so the result is the one from_chars gives. Else false.
bool exactReal(std::string_view token, double &value) {
  static constexpr double kPowers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                       1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
  size_t at = 0;
  const bool negative = token[0] == '-';
  if (negative) ++at;
  uint64_t digits = 0;
  int count = 0, scale = 0;
  bool fraction = false;
  for (; at < token.size() && token[at] != 'e' && token[at] != 'E'; ++at) {
    if (token[at] == '.') {
      fraction = true;
      continue;
    }
    if (++count > 19) return false;
    digits = digits * 10 + static_cast<uint64_t>(token[at] - '0');
    if (fraction) --scale;
  }
  if (at < token.size()) {
    ++at;
    const bool down = token[at] == '-';
    if (token[at] == '-' || token[at] == '+') ++at;
    if (token.size() - at > 3) return false;
    int exponent = 0;
    for (; at < token.size(); ++at) exponent = exponent * 10 + (token[at] - '0');
    scale += down ? -exponent : exponent;
  }
  if (digits > uint64_t{1} << 53 || scale < -22 || scale > 22) return false;
  const double exact = static_cast<double>(digits);
  value = scale < 0 ? exact / kPowers[-scale] : exact * kPowers[scale];
  if (negative) value = -value;
  return true;
}

}  // namespace

double JsonValue::number() const {
  switch (kind) {
    case Kind::kUnsigned:
      return static_cast<double>(unsignedValue);
    case Kind::kInteger:
      return static_cast<double>(integer);
    default:
      return real;
  }
}

JsonCursor::JsonCursor(std::string_view text) : text_(text.data()), size_(text.size()) {
  if (text.starts_with("\xEF\xBB\xBF")) pos_ = 3;  // a UTF-8 byte order mark
}

void JsonCursor::syntaxError() const { throw JsonSyntaxError{pos_}; }

void JsonCursor::enterObject() {
  if (++depth_ > kMaxJsonNesting) throw JsonTextError{pos_, tooDeepMessage()};
  ++pos_;
}

void JsonCursor::skipValue() {
  std::string scratch;
  switch (peek()) {
    case '{':
      enterObject();
      for (bool more = firstMember(); more; more = nextMember()) {
        key(scratch);
        skipValue();
      }
      return;
    case '[':
      enterArray();
      for (bool more = firstElement(); more; more = nextElement()) skipValue();
      return;
    default:
      value(scratch);
  }
}

// A NUL byte ends the text, as it does for the general parser: a file padded
// with zeros after its document, as a crash can leave one, still reads.
void JsonCursor::finish() {
  if (peek() != '\0') syntaxError();
}

// At 't', 'f' or 'n'.
JsonValue JsonCursor::literal() {
  JsonValue result;
  std::string_view word = "null";
  if (text_[pos_] != 'n') {
    result.kind = JsonValue::Kind::kBool;
    result.boolean = text_[pos_] == 't';
    word = result.boolean ? "true" : "false";
  }
  if (size_ - pos_ < word.size()) syntaxError();
  for (char c : word) {
    if (text_[pos_++] != c) syntaxError();
  }
  return result;
}

std::string_view JsonCursor::escapedString(size_t start, std::string &scratch) {
  scratch.assign(text_ + start, pos_ - start);
  bool escaped = false;
  while (pos_ < size_) {
    const unsigned char c = static_cast<unsigned char>(text_[pos_]);
    if (c == '"') {
      ++pos_;
      if (!escaped) return {text_ + start, pos_ - 1 - start};
      return scratch;
    }
    if (c < 0x20) syntaxError();
    if (c == '\\') {
      escaped = true;
      escape(scratch);
    } else if (c >= 0x80) {
      utf8Sequence(scratch);
    } else {
      scratch += static_cast<char>(c);
      ++pos_;
    }
  }
  syntaxError();
}

// At a backslash.
void JsonCursor::escape(std::string &out) {
  if (++pos_ >= size_) syntaxError();
  const char c = text_[pos_++];
  switch (c) {
    case '"':
    case '\\':
    case '/':
      out += c;
      return;
    case 'b':
      out += '\b';
      return;
    case 'f':
      out += '\f';
      return;
    case 'n':
      out += '\n';
      return;
    case 'r':
      out += '\r';
      return;
    case 't':
      out += '\t';
      return;
    case 'u':
      break;
    default:
      --pos_;
      syntaxError();
  }
  const auto fourHex = [this] {
    if (size_ - pos_ < 4) syntaxError();
    uint32_t code = 0;
    for (int i = 0; i < 4; ++i) {
      const int digit = hexValue(text_[pos_]);
      if (digit < 0) syntaxError();
      code = code << 4 | static_cast<uint32_t>(digit);
      ++pos_;
    }
    return code;
  };
  uint32_t code = fourHex();
  if (code >= 0xDC00 && code <= 0xDFFF) syntaxError();  // a low surrogate alone
  if (code >= 0xD800 && code <= 0xDBFF) {
    // A high surrogate must be followed by the low one of its pair.
    if (size_ - pos_ < 2 || text_[pos_] != '\\' || text_[pos_ + 1] != 'u') syntaxError();
    pos_ += 2;
    const uint32_t low = fourHex();
    if (low < 0xDC00 || low > 0xDFFF) syntaxError();
    code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
  }
  appendUtf8(out, code);
}

// At a byte of 0x80 or above: one well-formed UTF-8 sequence (no overlong
// forms, no surrogates, nothing past U+10FFFF), copied to `out`.
void JsonCursor::utf8Sequence(std::string &out) {
  const auto byte = [this](size_t at) {
    return at < size_ ? static_cast<unsigned char>(text_[at]) : static_cast<unsigned char>(0);
  };
  const unsigned char lead = byte(pos_);
  unsigned char low = 0x80, high = 0xBF;  // the second byte's range
  size_t length = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    syntaxError();
  }
  const unsigned char second = byte(pos_ + 1);
  if (second < low || second > high) syntaxError();
  for (size_t i = 2; i < length; ++i) {
    const unsigned char next = byte(pos_ + i);
    if (next < 0x80 || next > 0xBF) syntaxError();
  }
  out.append(text_ + pos_, length);
  pos_ += length;
}

// A number has JSON's form, -?(0|[1-9][0-9]*)(.[0-9]+)?([eE][+-]?[0-9]+)?.
// Whole numbers that fit 64 bits keep their integer kind, as they do in the
// general library; others are doubles, and one too large for a double is
// left to the general parser's message.
JsonValue JsonCursor::number() {
  const size_t start = pos_;
  const auto digits = [this] {
    const size_t first = pos_;
    while (pos_ < size_ && isDigit(text_[pos_])) ++pos_;
    if (pos_ == first) syntaxError();
  };
  const bool negative = pos_ < size_ && text_[pos_] == '-';
  if (negative) ++pos_;
  const size_t integralAt = pos_;
  if (pos_ < size_ && text_[pos_] == '0') {
    ++pos_;
  } else {
    digits();
  }
  const size_t integralEnd = pos_;
  if (pos_ < size_ && text_[pos_] == '.') {
    ++pos_;
    digits();
  }
  if (pos_ < size_ && (text_[pos_] == 'e' || text_[pos_] == 'E')) {
    ++pos_;
    if (pos_ < size_ && (text_[pos_] == '+' || text_[pos_] == '-')) ++pos_;
    digits();
  }
  JsonValue result;
  if (pos_ == integralEnd && integralEnd - integralAt <= 20) {
    uint64_t magnitude = 0;
    bool fits = true;
    for (size_t at = integralAt; at < integralEnd && fits; ++at) {
      const uint64_t digit = static_cast<uint64_t>(text_[at] - '0');
      fits = magnitude <= (UINT64_MAX - digit) / 10;
      magnitude = magnitude * 10 + digit;
    }
    if (fits && !negative) {
      result.kind = JsonValue::Kind::kUnsigned;
      result.unsignedValue = magnitude;
      return result;
    }
    if (fits && magnitude <= uint64_t{1} << 63) {
      result.kind = JsonValue::Kind::kInteger;
      result.integer = static_cast<int64_t>(0 - magnitude);
      return result;
    }
  }
  result.kind = JsonValue::Kind::kReal;
  const std::string_view token(text_ + start, pos_ - start);
  if (!exactReal(token, result.real) &&
      std::from_chars(token.data(), token.data() + token.size(), result.real).ec != std::errc()) {
    result.real = outOfRange(token);
  }
  if (!std::isfinite(result.real)) {
    pos_ = start;
    syntaxError();
  }
  return result;
}

}  // namespace layout

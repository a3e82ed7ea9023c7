#include "host/text/json_location.h"

#include <algorithm>

namespace layout {
namespace {

// Walks a valid JSON text without building anything. Every read stops at the
// end of the text, so a text that is not valid JSON after all gives a poor
// place but never a bad read.
class Scanner {
 public:
  explicit Scanner(std::string_view text) : text_(text) {}

  size_t at() const { return pos_; }
  void moveTo(size_t pos) { pos_ = pos; }
  char peek() const { return pos_ < text_.size() ? text_[pos_] : '\0'; }
  void advance() { pos_ = std::min(pos_ + 1, text_.size()); }

  void skipSpace() {
    while (pos_ < text_.size() && (peek() == ' ' || peek() == '\n' || peek() == '\r' || peek() == '\t'))
      ++pos_;
  }

  // At the opening quote; returns the raw text between the quotes.
  std::string_view string() {
    const size_t start = ++pos_;
    while (pos_ < text_.size() && text_[pos_] != '"') pos_ += text_[pos_] == '\\' ? 2 : 1;
    pos_ = std::min(pos_, text_.size());
    const std::string_view raw = text_.substr(start, pos_ - start);
    advance();
    return raw;
  }

  void skipValue() {
    int depth = 0;
    while (pos_ < text_.size()) {
      const char c = peek();
      if (c == '"') {
        string();
        if (depth == 0) return;
      } else if (c == '{' || c == '[') {
        ++depth;
        advance();
      } else if (c == '}' || c == ']') {
        if (depth == 0) return;  // the end of the container around a scalar
        advance();
        if (--depth == 0) return;
      } else if (depth == 0 && (c == ',' || c == ' ' || c == '\n' || c == '\r' || c == '\t')) {
        return;
      } else {
        advance();
      }
    }
  }

  // After a value inside a container: true when another element follows.
  bool next() {
    skipSpace();
    if (peek() != ',') return false;
    advance();
    skipSpace();
    return true;
  }

 private:
  std::string_view text_;
  size_t pos_ = 0;
};

}  // namespace

JsonPath JsonPath::member(std::string_view name) const {
  JsonPath path = *this;
  path.steps_.emplace_back(std::string(name));
  return path;
}

JsonPath JsonPath::element(size_t index) const {
  JsonPath path = *this;
  path.steps_.emplace_back(index);
  return path;
}

std::string JsonPath::text() const {
  std::string result;
  for (const auto &step : steps_) {
    if (const auto *name = std::get_if<std::string>(&step)) {
      if (!result.empty()) result += '.';
      result += *name;
    } else {
      result += '[' + std::to_string(std::get<size_t>(step)) + ']';
    }
  }
  return result;
}

std::string_view lineOf(std::string_view text, int line) {
  size_t begin = 0;
  for (int at = 1; at < line; ++at) {
    begin = text.find('\n', begin);
    if (begin == std::string_view::npos) return {};
    ++begin;
  }
  if (line < 1 || begin > text.size()) return {};
  size_t end = text.find('\n', begin);
  if (end == std::string_view::npos) end = text.size();
  std::string_view result = text.substr(begin, end - begin);
  if (!result.empty() && result.back() == '\r') result.remove_suffix(1);
  return result;
}

std::string caretExcerpt(std::string_view line, int column) {
  std::string caret;
  int at = 1;
  for (size_t i = 0; i < line.size() && at < column; ++i) {
    const unsigned char c = static_cast<unsigned char>(line[i]);
    if ((c & 0xC0) == 0x80) continue;  // a UTF-8 continuation byte
    caret += c == '\t' ? '\t' : ' ';
    ++at;
  }
  return "  " + std::string(line) + "\n  " + caret + "^";
}

std::string fileLocation(std::string_view file, int line, int column) {
  std::string result(file);
  if (line > 0) result += ":" + std::to_string(line) + ":" + std::to_string(column);
  return result;
}

std::string formatLocated(std::string_view file, int line, int column, std::string_view message,
                          std::string_view lineText) {
  std::string result = fileLocation(file, line, column);
  result = (result.empty() ? "" : result + ": ") + std::string(message);
  if (line < 1) return result;
  return result + "\n" + caretExcerpt(lineText, column);
}

std::string locatedMessage(std::string_view file, std::string_view text, size_t offset,
                           std::string_view message) {
  if (offset == std::string_view::npos) return formatLocated(file, 0, 0, message, {});
  const TextPosition position = textPosition(text, offset);
  return formatLocated(file, position.line, position.column, message, lineOf(text, position.line));
}

TextPosition textPosition(std::string_view text, size_t offset) {
  offset = std::min(offset, text.size());
  TextPosition position;
  for (size_t i = 0; i < offset; ++i) {
    if (text[i] == '\n') {
      ++position.line;
      position.column = 1;
    } else if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {  // not a UTF-8 continuation byte
      ++position.column;
    }
  }
  return position;
}

size_t locateInJson(std::string_view text, const JsonPath &path, JsonPlace place) {
  Scanner scan(text);
  scan.skipSpace();
  size_t found = scan.at();
  for (const auto &step : path.steps_) {
    if (const auto *name = std::get_if<std::string>(&step)) {
      if (scan.peek() != '{') return found;
      scan.advance();
      scan.skipSpace();
      size_t nameAt = std::string_view::npos, valueAt = 0;
      while (scan.peek() == '"') {
        const size_t keyAt = scan.at();
        const bool match = scan.string() == *name;
        scan.skipSpace();
        scan.advance();  // the colon
        scan.skipSpace();
        if (match) {
          nameAt = keyAt;
          valueAt = scan.at();
        }
        scan.skipValue();
        if (!scan.next()) break;
      }
      if (nameAt == std::string_view::npos) return found;
      found = &step == &path.steps_.back() && place == JsonPlace::kName ? nameAt : valueAt;
      scan.moveTo(valueAt);
    } else {
      if (scan.peek() != '[') return found;
      scan.advance();
      scan.skipSpace();
      const size_t wanted = std::get<size_t>(step);
      for (size_t index = 0; index < wanted; ++index) {
        scan.skipValue();
        if (!scan.next()) return found;
      }
      if (scan.peek() == ']' || scan.at() >= text.size()) return found;
      found = scan.at();
    }
  }
  return found;
}

}  // namespace layout

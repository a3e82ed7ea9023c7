#include "host/commands/command_args.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "host/text/short_decimal.h"

namespace layout {
namespace {

std::string quoted(std::string_view text) { return "'" + std::string(text) + "'"; }

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

bool parseItemId(std::string_view text, ItemID &out) {
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) text.remove_prefix(2);
  if (text.empty()) return false;
  uint32_t value = 0;  // shifting drops all but the low 32 bits
  for (char c : text) {
    const int digit = hexDigit(c);
    if (digit < 0) return false;
    value = (value << 4) | static_cast<uint32_t>(digit);
  }
  out = value;
  return true;
}

std::string_view ArgReader::token() {
  const size_t start = rest_.find_first_not_of(' ');
  if (start == std::string_view::npos) {
    rest_ = {};
    return {};
  }
  rest_.remove_prefix(start);
  const size_t end = std::min(rest_.find(' '), rest_.size());
  const std::string_view result = rest_.substr(0, end);
  rest_.remove_prefix(end);
  return result;
}

bool ArgReader::fail(std::string reason) {
  reason_ = std::move(reason);
  return false;
}

bool ArgReader::integer(std::string_view what, int min, int max, int &out) {
  const std::string_view text = token();
  if (text.empty()) return fail("missing " + std::string(what));
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) {
    return fail(std::string(what) + " is not an integer: " + quoted(text));
  }
  if (value < min || value > max) {
    return fail(std::string(what) + " out of range " + std::to_string(min) + "-" + std::to_string(max));
  }
  out = value;
  return true;
}

bool ArgReader::real(std::string_view what, double &out) {
  const std::string_view text = token();
  if (text.empty()) return fail("missing " + std::string(what));
  double value = 0;
  if (readShortDecimal(text, value)) {
    out = value;
    return true;
  }
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) {
    return fail(std::string(what) + " is not a number: " + quoted(text));
  }
  if (!std::isfinite(value)) return fail(std::string(what) + " is not finite: " + quoted(text));
  out = value;
  return true;
}

bool ArgReader::itemId(ItemID &out) {
  const std::string_view text = token();
  if (text.empty()) return fail("missing item ID");
  if (!parseItemId(text, out)) return fail("not an item ID: " + quoted(text));
  return true;
}

bool ArgReader::atEnd() { return rest_.find_first_not_of(' ') == std::string_view::npos; }

bool ArgReader::finish() {
  if (atEnd()) return true;
  return fail("unexpected argument " + quoted(token()));
}

}  // namespace layout

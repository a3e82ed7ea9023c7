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
  const char *at = rest_.data();
  const char *const end = at + rest_.size();
  while (at < end && *at == ' ') ++at;
  const char *const start = at;
  while (at < end && *at != ' ') ++at;
  rest_ = std::string_view(at, static_cast<size_t>(end - at));
  return std::string_view(start, static_cast<size_t>(at - start));
}

bool ArgReader::fail(std::string reason) {
  reason_ = std::move(reason);
  return false;
}

// The memo does not fit what is asked: the text itself is read from here on,
// past the values already taken.
void ArgReader::readOnFromText() {
  memo_->valid = false;
  for (uint8_t taken = 0; taken < next_; ++taken) token();
}

void ArgReader::remember(ArgMemo::Kind kind, double value) {
  if (!memo_) return;
  if (next_ >= ArgMemo::kMaxValues) {
    memo_ = nullptr;  // more values than a memo holds: none is kept
    return;
  }
  memo_->kinds[next_] = kind;
  memo_->values[next_] = value;
  ++next_;
}

bool ArgReader::readInteger(std::string_view what, int min, int max, int &out) {
  const std::string_view text = token();
  if (text.empty()) return fail("missing " + std::string(what));
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) {
    return fail(std::string(what) + " is not an integer: " + quoted(text));
  }
  remember(ArgMemo::Kind::kInteger, value);
  return inRange(what, min, max, value, out);
}

bool ArgReader::outOfRange(std::string_view what, int min, int max) {
  return fail(std::string(what) + " out of range " + std::to_string(min) + "-" + std::to_string(max));
}

bool ArgReader::readReal(std::string_view what, double &out) {
  const std::string_view text = token();
  if (text.empty()) return fail("missing " + std::string(what));
  double value = 0;
  if (!readShortDecimal(text, value)) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) {
      return fail(std::string(what) + " is not a number: " + quoted(text));
    }
    if (!std::isfinite(value)) return fail(std::string(what) + " is not finite: " + quoted(text));
  }
  remember(ArgMemo::Kind::kReal, value);
  out = value;
  return true;
}

bool ArgReader::readItemId(ItemID &out) {
  const std::string_view text = token();
  if (text.empty()) return fail("missing item ID");
  if (!parseItemId(text, out)) return fail("not an item ID: " + quoted(text));
  remember(ArgMemo::Kind::kItemId, out);
  return true;
}

bool ArgReader::atEnd() {
  if (recalling()) return next_ >= memo_->count;
  return rest_.find_first_not_of(' ') == std::string_view::npos;
}

bool ArgReader::finishText() {
  if (recalling()) readOnFromText();  // the memo holds more values than were asked for
  if (!atEnd()) return fail("unexpected argument " + quoted(token()));
  if (memo_) {
    memo_->count = next_;
    memo_->valid = true;
  }
  return true;
}

}  // namespace layout

// Reads the space-separated arguments of one command text. The first problem
// met becomes the reason the command is refused.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "host/scene/item_id.h"

namespace layout {

// The values a text's arguments were read as the last time, by position, so
// that the same text again need not be parsed: a run repeats texts such as
// "BoneRestLength 0.5" for every bone. Kept only once every argument was read
// and nothing was left over; range checks are made again on every use.
struct ArgMemo {
  static constexpr size_t kMaxValues = 3;
  enum class Kind : uint8_t { kInteger, kReal, kItemId };

  bool valid = false;
  uint8_t count = 0;
  Kind kinds[kMaxValues] = {};
  double values[kMaxValues] = {};  // each kind's values are exact as doubles
};

class ArgReader {
 public:
  // With a memo, the values come from it when it is valid and go into it
  // when they are read and the reader finishes without a problem.
  explicit ArgReader(std::string_view args, ArgMemo *memo = nullptr) : rest_(args), memo_(memo) {}

  // `what` names the argument in the reason, e.g. "colour".
  bool integer(std::string_view what, int min, int max, int &out) {
    if (double value = 0; recall(ArgMemo::Kind::kInteger, value)) {
      return inRange(what, min, max, static_cast<int>(value), out);
    }
    return readInteger(what, min, max, out);
  }
  // A finite decimal number.
  bool real(std::string_view what, double &out) {
    return recall(ArgMemo::Kind::kReal, out) || readReal(what, out);
  }
  // Hexadecimal, with or without 0x or 0X; only the low 32 bits count.
  bool itemId(ItemID &out) {
    if (double value = 0; recall(ArgMemo::Kind::kItemId, value)) {
      out = static_cast<ItemID>(value);
      return true;
    }
    return readItemId(out);
  }
  // True when no argument is left.
  bool atEnd();
  // Succeeds only when no argument is left.
  bool finish() { return (recalling() && next_ == memo_->count) || finishText(); }

  std::string takeReason() { return std::move(reason_); }

 private:
  std::string_view token();
  bool fail(std::string reason);
  bool readInteger(std::string_view what, int min, int max, int &out);
  bool readReal(std::string_view what, double &out);
  bool readItemId(ItemID &out);
  bool finishText();
  bool inRange(std::string_view what, int min, int max, int value, int &out) {
    if (value < min || value > max) return outOfRange(what, min, max);
    out = value;
    return true;
  }
  bool outOfRange(std::string_view what, int min, int max);

  // True, with the value, when the memo holds the next value as this kind;
  // a memo that does not fit is dropped and the text read again.
  bool recall(ArgMemo::Kind kind, double &value) {
    if (!recalling()) return false;
    if (next_ < memo_->count && memo_->kinds[next_] == kind) {
      value = memo_->values[next_++];
      return true;
    }
    readOnFromText();
    return false;
  }
  void remember(ArgMemo::Kind kind, double value);
  void readOnFromText();
  bool recalling() const { return memo_ && memo_->valid; }

  std::string_view rest_;
  std::string reason_;
  ArgMemo *memo_;
  uint8_t next_ = 0;  // values read so far
};

// Parses a whole text as an item ID, as ArgReader::itemId does.
bool parseItemId(std::string_view text, ItemID &out);

}  // namespace layout

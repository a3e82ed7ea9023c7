// Reads the space-separated arguments of one command text. The first problem
// met becomes the reason the command is refused.
#pragma once

#include <string>
#include <string_view>

#include "host/scene/item_id.h"

namespace layout {

class ArgReader {
 public:
  explicit ArgReader(std::string_view args) : rest_(args) {}

  // `what` names the argument in the reason, e.g. "colour".
  bool integer(std::string_view what, int min, int max, int &out);
  // A finite decimal number.
  bool real(std::string_view what, double &out);
  // Hexadecimal, with or without 0x or 0X; only the low 32 bits count.
  bool itemId(ItemID &out);
  // True when no argument is left.
  bool atEnd();
  // Succeeds only when no argument is left.
  bool finish();

  std::string takeReason() { return std::move(reason_); }

 private:
  std::string_view token();
  bool fail(std::string reason);

  std::string_view rest_;
  std::string reason_;
};

// Parses a whole text as an item ID, as ArgReader::itemId does.
bool parseItemId(std::string_view text, ItemID &out);

}  // namespace layout

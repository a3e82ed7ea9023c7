// A command text composed in place: a fixed head followed by a number, an ID,
// a formatted name or a progress fraction.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "runs/text_builders.h"

namespace mint {

// Room for the longest command either run composes: "AddChildBone " and a
// name pattern whose percent signs are all doubled.
inline constexpr size_t kCommandBuffer = 256;

struct CommandText {
  char text[kCommandBuffer];
  size_t headLength;  // where the variable part starts
};

// Starts a command with its head; the variable part is written behind it.
inline void setHead(CommandText &command, const char *head) {
  command.headLength = std::strlen(head);
  std::memcpy(command.text, head, command.headLength + 1);
}

inline void setItemId(CommandText &command, ItemID id) {
  writeItemId(LAYOUT_ITEM_BITS(id), command.text + command.headLength, kTerminate);
}

inline void setDecimal(CommandText &command, int32_t value) {
  writeDecimal(value, command.text + command.headLength, kTerminate);
}

// Head followed by a name pattern: the format a name command is made from.
inline void setNameFormat(CommandText &format, const char *head, int prefixCode, const char *baseName,
                          int suffixCode) {
  setHead(format, head);
  buildNamePattern(format.text + format.headLength, prefixCode, baseName, suffixCode);
}

// "StatusMsg {<fraction>} Creating", the fraction as printf's "%f" writes it
// in the "C" locale.
void formatProgress(CommandText &command, double fraction);

// "<head><value>" for the bone values, the value as printf's "%g" writes it in
// the "C" locale.
void formatFloatCommand(CommandText &command, const char *head, double value);

}  // namespace mint

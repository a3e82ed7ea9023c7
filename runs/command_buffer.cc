#include "runs/command_buffer.h"

#include <charconv>

namespace mint {

namespace {

// Numbers in command texts always use a point, whatever locale the host
// process runs in: to_chars formats as printf does in the "C" locale.
char *appendNumber(char *out, char *end, double value, std::chars_format format) {
  const auto result = std::to_chars(out, end, value, format, 6);
  return result.ec == std::errc() ? result.ptr : out;
}

char *appendText(char *out, char *end, const char *text) {
  while (*text != '\0' && out < end) *out++ = *text++;
  return out;
}

}  // namespace

void formatProgress(CommandText &command, double fraction) {
  char *end = command.text + sizeof command.text - 1;
  char *out = appendText(command.text, end, "StatusMsg {");
  out = appendNumber(out, end, fraction, std::chars_format::fixed);
  out = appendText(out, end, "} Creating");
  *out = '\0';
}

void formatFloatCommand(CommandText &command, const char *head, double value) {
  char *end = command.text + sizeof command.text - 1;
  char *out = appendText(command.text, end, head);
  out = appendNumber(out, end, value, std::chars_format::general);
  *out = '\0';
}

}  // namespace mint

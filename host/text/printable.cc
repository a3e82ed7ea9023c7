#include "host/text/printable.h"

namespace layout {
namespace {

// Hands `text` to `put` in pieces: runs of bytes that need no escape, and the
// escape of each control byte.
template <typename Put>
void escapeControls(std::string_view text, Put put) {
  static constexpr char kHex[] = "0123456789abcdef";
  size_t plain = 0;  // start of the run of bytes written as they are
  for (size_t i = 0; i < text.size(); ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (byte >= 0x20 && byte != 0x7F) continue;
    put(text.substr(plain, i - plain));
    const char escape[] = {'\\', 'x', kHex[byte >> 4], kHex[byte & 0xF]};
    put(std::string_view(escape, sizeof escape));
    plain = i + 1;
  }
  put(text.substr(plain));
}

}  // namespace

void appendPrintable(std::string &out, std::string_view text) {
  escapeControls(text, [&out](std::string_view piece) { out += piece; });
}

std::string printable(std::string_view text) {
  std::string out;
  appendPrintable(out, text);
  return out;
}

void writePrintable(TextWriter &out, std::string_view text) {
  escapeControls(text, [&out](std::string_view piece) { out << piece; });
}

}  // namespace layout

#include "host/printable.h"

namespace layout {
namespace {

bool isControl(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return byte < 0x20 || byte == 0x7F;
}

}  // namespace

void appendPrintable(std::string &out, std::string_view text) {
  static constexpr char kHex[] = "0123456789abcdef";
  for (char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (isControl(c)) {
      out += "\\x";
      out += kHex[byte >> 4];
      out += kHex[byte & 0xF];
    } else {
      out += c;
    }
  }
}

std::string printable(std::string_view text) {
  std::string out;
  appendPrintable(out, text);
  return out;
}

void writePrintable(std::ostream &out, std::string_view text) {
  for (char c : text) {
    if (isControl(c)) {
      out << printable(text);
      return;
    }
  }
  out << text;
}

}  // namespace layout

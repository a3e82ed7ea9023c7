// Text from a scene or a module (item names, command texts) made safe for a
// terminal: control bytes become \xNN, so a name cannot move the cursor, clear
// the screen or start a new line of the listing.
#pragma once

#include <string>
#include <string_view>

#include "host/text/text_writer.h"

namespace layout {

// Whether any byte of `text` would be escaped.
bool hasControlBytes(std::string_view text);
void appendPrintable(std::string &out, std::string_view text);
std::string printable(std::string_view text);
// Writes the runs of plain bytes as they are, without a copy.
void writePrintable(TextWriter &out, std::string_view text);

}  // namespace layout

// Text from a scene or a module (item names, command texts) made safe for a
// terminal: control bytes become \xNN, so a name cannot move the cursor, clear
// the screen or start a new line of the listing.
#pragma once

#include <ostream>
#include <string>
#include <string_view>

namespace layout {

void appendPrintable(std::string &out, std::string_view text);
std::string printable(std::string_view text);
// Writes without a copy when there is nothing to escape.
void writePrintable(std::ostream &out, std::string_view text);

}  // namespace layout

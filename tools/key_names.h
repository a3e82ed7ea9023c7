// Keys as a user names them on the command line and in session files:
// "Enter", "Tab", "Left", "Right", "Up", "Down", a single character such as
// "c" (case counts: "C" is another key), or a code such as "0x1012"; with
// "shift+" in front for the step qualifier (qualifier bit value 2), which the
// panels use to step the count by 100 instead of 10.
#pragma once

#include <cstdint>
#include <string_view>

namespace sim {

struct KeyPress {
  uint32_t code = 0;
  uint32_t qualifiers = 0;
};

// Throws CliError (bad input) naming what is wrong with `name`.
KeyPress parseKey(std::string_view name);

}  // namespace sim

// Turning what a user types for a control into the value the control takes:
// text for text fields; for popups and choices an entry's index or its shown
// text ("Red", "+_nnn"); on/off for check boxes; a number for float and
// percent fields.
#pragma once

#include <string>
#include <string_view>

#include "host/panels/front_end.h"
#include "host/panels/panel_view.h"

namespace sim {

// `address` is how the user named the control, for messages. Throws
// CliError (bad input) naming the control and what it accepts.
layout::ControlValue controlInput(const layout::ControlView &control, const std::string &address,
                                  std::string_view typed);

}  // namespace sim

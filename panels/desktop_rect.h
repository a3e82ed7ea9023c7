// The desktop's client rectangle, which the panels are centred on.
#pragma once

#include "layout.h"

namespace mint {

// The client rectangle of the desktop window; 1920 by 1080 when the system
// cannot tell.
Rect desktopRect();

}  // namespace mint

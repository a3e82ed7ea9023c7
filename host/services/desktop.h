// The desktop the module centres its panels on. The process exports
// GetDesktopWindow and GetClientRect as C symbols (see desktop.cc), which the
// module finds with dlsym; executables linking the host need ENABLE_EXPORTS.
#pragma once

#include <cstdint>

#include "layout.h"

namespace layout {

// Size of the desktop's client rectangle; process-wide, like the symbols.
void setDesktopSize(int32_t width, int32_t height);
Rect desktopRect();

}  // namespace layout

// Single-key shortcuts shared by both panels.
#pragma once

#include <cstdint>

#include "layout.h"

namespace mint {

// Key function (panel tag 13). User data: the panel services table. Returns 1
// for every key of the shortcut table, also when it has no effect in the panel
// at hand, and 0 for any other key.
int panelKey(Panel *panel, void *userData, unsigned short key);

}  // namespace mint

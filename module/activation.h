// The activation functions the host calls when the user runs a command.
#pragma once

#include "layout.h"

namespace mint {

// Mint_Pivots: the null options panel, then the null creation run.
int activateNulls(int version, GlobalFunc *global, void *local, void *serverData) noexcept;
// Mint_Joints: checks the selection, the bone options panel, then the bone run.
int activateBones(int version, GlobalFunc *global, void *local, void *serverData) noexcept;

}  // namespace mint

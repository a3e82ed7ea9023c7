// The null options panel of the Pivots command; its function is nullPanel in
// dialog.h.
#pragma once

#include "layout.h"

namespace mint {

// Event of "Parent (x)": draws "local Zero" and "Hierarchy" normally while the
// box is ticked and ghosted otherwise, without changing their values. User
// data: the address of the context's first null check box (activeBool).
void parentEffect(Control *parent, void *userData);

}  // namespace mint

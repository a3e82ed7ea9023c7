// Looking up the host's services for one activation.
#pragma once

#include <cstdint>

#include "layout.h"

namespace mint {

// A service table of the given type, or nullptr when the host lacks it.
template <typename Table>
const Table *lookUp(GlobalFunc *global, const char *name) {
  return static_cast<const Table *>(global(name, 0));
}

// The host build number from "Product Info".
uint32_t hostBuildNumber(GlobalFunc *global);

// The generic's local record, or nullptr when it cannot carry a command.
const GenericLocal *usableLocal(void *local);

}  // namespace mint

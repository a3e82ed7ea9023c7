#include "module/host_services.h"

namespace mint {

uint32_t hostBuildNumber(GlobalFunc *global) {
  // This service answers with the value itself, not a table.
  const auto value = reinterpret_cast<uintptr_t>(global(LAYOUT_PRODUCT_INFO, 0));
  return LAYOUT_BUILD_FROM_PRODUCT(value);
}

const GenericLocal *usableLocal(void *local) {
  const auto *generic = static_cast<const GenericLocal *>(local);
  return generic != nullptr && generic->evaluate != nullptr ? generic : nullptr;
}

}  // namespace mint

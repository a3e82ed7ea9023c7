// Compiles the host interface as C++ (pedantic) and pins the layout facts the
// binary contract relies on.
#include <cstddef>
#include <type_traits>

#include "layout.h"

static_assert(sizeof(ItemID) == 4);
static_assert(offsetof(PanelValue, integer) == 8);
static_assert(offsetof(PanelValue, real) == 8);
static_assert(offsetof(ControlDesc, list.items) == 8);
static_assert(offsetof(ModuleDescriptor, servers) == 32);
static_assert(std::is_standard_layout_v<PanelServices>);
static_assert(std::is_trivially_copyable_v<PanelValue>);

int layout_header_check_cc() { return static_cast<int>(sizeof(ContextMenuServices)); }

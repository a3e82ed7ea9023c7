// Compiles the host interface as pedantic C++ and checks its record layout.
#include <type_traits>

#include "record_layout.h"

static_assert(std::is_standard_layout_v<PanelServices>);
static_assert(std::is_trivially_copyable_v<PanelValue>);
static_assert(std::is_trivially_copyable_v<ControlDesc>);

int layout_header_check_cc() { return static_cast<int>(sizeof(ContextMenuServices)); }

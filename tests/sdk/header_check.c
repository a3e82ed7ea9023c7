/* Compiles the host interface as C (pedantic) and pins the layout facts the
 * binary contract relies on. */
#include <stddef.h>

#include "layout.h"

_Static_assert(sizeof(ItemID) == 4, "item IDs are 32-bit");
_Static_assert(offsetof(PanelValue, integer) == 8, "value payload at offset 8");
_Static_assert(offsetof(PanelValue, real) == 8, "value payload at offset 8");
_Static_assert(offsetof(PanelValue, text.buffer) == 8, "value payload at offset 8");
_Static_assert(offsetof(ControlDesc, list.items) == 8, "list items after the type word");
_Static_assert(offsetof(ControlDesc, edit.width) == 8, "descriptor words after the type word");
_Static_assert(offsetof(ModuleDescriptor, startup) == 16, "three words before the startup pointer");
_Static_assert(sizeof(Rect) == 16, "four 32-bit edges");

int layout_header_check_c(void) { return (int)sizeof(PanelServices); }

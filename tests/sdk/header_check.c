/* Compiles the host interface as pedantic C and checks its record layout. */
#include "record_layout.h"

int layout_header_check_c(void) { return (int)sizeof(PanelServices); }

#include "host/services/desktop.h"

namespace layout {
namespace {

Rect gDesktop = {0, 0, LAYOUT_DEFAULT_DESKTOP_WIDTH, LAYOUT_DEFAULT_DESKTOP_HEIGHT};
#ifndef _WIN32
// Any distinct address serves as the desktop window's handle.
char gDesktopWindow;
#endif

}  // namespace

void setDesktopSize(int32_t width, int32_t height) { gDesktop = {0, 0, width, height}; }
Rect desktopRect() { return gDesktop; }

}  // namespace layout

// On Windows the module asks user32 itself, so the process exports nothing.
#ifndef _WIN32
extern "C" {

__attribute__((visibility("default"))) void *GetDesktopWindow(void) { return &layout::gDesktopWindow; }

__attribute__((visibility("default"))) int GetClientRect(void *window, Rect *rect) {
  if (window != &layout::gDesktopWindow || !rect) return 0;
  *rect = layout::gDesktop;
  return 1;
}
}
#endif

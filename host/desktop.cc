#include "host/desktop.h"

namespace layout {
namespace {

Rect gDesktop = {0, 0, LAYOUT_DEFAULT_DESKTOP_WIDTH, LAYOUT_DEFAULT_DESKTOP_HEIGHT};
// Any distinct address serves as the desktop window's handle.
char gDesktopWindow;

}  // namespace

void setDesktopSize(int32_t width, int32_t height) { gDesktop = {0, 0, width, height}; }
Rect desktopRect() { return gDesktop; }

}  // namespace layout

extern "C" {

__attribute__((visibility("default"))) void *GetDesktopWindow(void) { return &layout::gDesktopWindow; }

__attribute__((visibility("default"))) int GetClientRect(void *window, Rect *rect) {
  if (window != &layout::gDesktopWindow || !rect) return 0;
  *rect = layout::gDesktop;
  return 1;
}
}

// The desktop that the test executable offers the module for centring, under
// the names the module looks up at run time.
#include "fake_panel_host.h"

namespace {

Rect gDesktop = {0, 0, 1920, 1080};
bool gAvailable = true;
char gDesktopWindow;

}  // namespace

extern "C" __attribute__((visibility("default"))) void *GetDesktopWindow(void) { return &gDesktopWindow; }

extern "C" __attribute__((visibility("default"))) int GetClientRect(void *window, Rect *rect) {
  if (!gAvailable || window != &gDesktopWindow) return 0;
  *rect = gDesktop;
  return 1;
}

namespace mint::testing {

void setDesktop(int32_t right, int32_t bottom, bool available) {
  gDesktop = {0, 0, right, bottom};
  gAvailable = available;
}

}  // namespace mint::testing

// The desktop the module centres its panels on during the tests. Elsewhere
// the test executable offers it under the names the module looks up at run
// time; on Windows the module asks user32, so the desktop is the system's.
#include "fake_panel_host.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

Rect gDesktop = {0, 0, 1920, 1080};
bool gAvailable = true;

}  // namespace

#ifndef _WIN32
namespace {
char gDesktopWindow;
}  // namespace

extern "C" __attribute__((visibility("default"))) void *GetDesktopWindow(void) { return &gDesktopWindow; }

extern "C" __attribute__((visibility("default"))) int GetClientRect(void *window, Rect *rect) {
  if (!gAvailable || window != &gDesktopWindow) return 0;
  *rect = gDesktop;
  return 1;
}
#endif

namespace mint::testing {

#ifdef _WIN32
bool desktopIsSettable() { return false; }

Rect seenDesktop() {
  RECT client = {};
  GetClientRect(GetDesktopWindow(), &client);
  return {client.left, client.top, client.right, client.bottom};
}
#else
bool desktopIsSettable() { return true; }

Rect seenDesktop() { return gAvailable ? gDesktop : Rect{0, 0, 1920, 1080}; }
#endif

void setDesktop(int32_t right, int32_t bottom, bool available) {
  gDesktop = {0, 0, right, bottom};
  gAvailable = available;
}

int32_t centredX() { return (seenDesktop().right - 320) >> 1; }
int32_t centredY() { return (seenDesktop().bottom - 250) >> 1; }

}  // namespace mint::testing

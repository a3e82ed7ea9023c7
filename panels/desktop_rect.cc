#include "panels/desktop_rect.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace mint {
namespace {

constexpr Rect kDefaultDesktop = {0, 0, LAYOUT_DEFAULT_DESKTOP_WIDTH, LAYOUT_DEFAULT_DESKTOP_HEIGHT};

}  // namespace

#ifdef _WIN32

// user32's own functions: every Windows process has them.
Rect desktopRect() {
  RECT client = {};
  if (GetClientRect(GetDesktopWindow(), &client) == 0) return kDefaultDesktop;
  return Rect{client.left, client.top, client.right, client.bottom};
}

#else

// Looked up at call time: the process hosting the module may not offer them.
Rect desktopRect() {
  auto *desktopWindow =
      reinterpret_cast<GetDesktopWindowFunc *>(dlsym(RTLD_DEFAULT, LAYOUT_DESKTOP_WINDOW_SYMBOL));
  auto *clientRect = reinterpret_cast<GetClientRectFunc *>(dlsym(RTLD_DEFAULT, LAYOUT_CLIENT_RECT_SYMBOL));
  if (desktopWindow == nullptr || clientRect == nullptr) return kDefaultDesktop;
  Rect client = {};
  if (clientRect(desktopWindow(), &client) == 0) return kDefaultDesktop;
  return client;
}

#endif

}  // namespace mint

// Right-click menus of batch actions: Basic (naming), General (render flags)
// and Shadow (shadow flags). One host menu serves all three lists; the
// context's menuIndex says which one the host is showing.
#pragma once

#include <cstdint>

#include "layout.h"

namespace mint {

extern const char *const kBasicMenu[5];
extern const char *const kGeneralMenu[4];
extern const char *const kShadowMenu[4];

// Item counts, four bits per menu with menu 0 lowest: 4, 3 and 3 items.
inline constexpr uint32_t kMenuCounts = 0x334;
inline constexpr int32_t kMenuWidth = 145;

// Menu functions; user data: the panel context.
int menuItemCount(void *userData);
char *menuItemName(void *userData, int index);

// Mouse-button function (panel tag 15). User data: the panel services table.
void panelMouse(Panel *panel, void *userData, int code, int x, int y);

}  // namespace mint

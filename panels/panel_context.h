// The per-opening record through which every panel callback (control events,
// keys, mouse, menus, placement) reaches the controls and the menu state.
#pragma once

#include <cstdint>

#include "layout.h"

namespace mint {

// The five null-panel check boxes, consecutive: the Parent effect receives the
// address of the first and works on "local Zero" and "Hierarchy".
enum NullBool { kActiveBool, kSelectBool, kParentBool, kZeroBool, kHierarchyBool, kNullBoolCount };

// The seven render-flag check boxes, in the order of the null options record.
enum RenderBool {
  kRadiosityBool,
  kRaysBool,
  kSelfShadowBool,
  kCameraBool,
  kFogBool,
  kCastShadowBool,
  kReceiveShadowBool,
  kRenderBoolCount
};

inline constexpr int32_t kNullPanelKind = 0;
inline constexpr int32_t kBonePanelKind = 1;

// Owned by the panel function's frame; reachable through the panel services'
// user-data field only while that function runs. A control field that the
// running panel does not fill stays NULL.
struct PanelContext {
  ContextMenuServices *menuService;
  Menu *menuHandle;
  const char *const *menuLists[3];  // Basic, General, Shadow
  const char *const *menuListEnd;   // always NULL
  Control *nameEdit;
  Control *prefixPopup;
  Control *suffixPopup;
  Control *countEdit;
  Control *startEdit;
  Control *colourPopup;
  Control *nullBools[kNullBoolCount];
  Control *visPopup;
  Control *individualBool;
  Control *multiplyBool;
  Control *iconChoice;
  Control *iconPercent;
  Control *jointBool;
  Control *alphaControl;
  Control *renderBools[kRenderBoolCount];
  int32_t panelX;
  int32_t panelY;
  int32_t panelKind;
  uint32_t menuCounts;  // four bits per menu, menu 0 lowest
  int32_t menuIndex;    // the menu the next right-click shows
  uint32_t hostBuild;
};

}  // namespace mint

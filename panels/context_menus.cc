#include "panels/context_menus.h"

#include "module/host_build.h"
#include "panels/callback_failure.h"
#include "panels/control_values.h"
#include "panels/naming_row.h"
#include "panels/panel_context.h"
#include "panels/user_data.h"

namespace mint {

// 0x03 marks a text that carries the host's popup formatting code.
const char *const kBasicMenu[5] = {"\x03(c:166)Basic", "\x03(i:17) Init Name", "\x03(i:17) Init Pre/Suffix",
                                   "\x03(i:17) Init StartCnt", nullptr};
const char *const kGeneralMenu[4] = {"\x03(c:166)General", "\x03(i:17) Disable all", "\x03(i:17) Enable all",
                                     nullptr};
const char *const kShadowMenu[4] = {"\x03(c:166)Shadow", "\x03(i:17) Disable all", "\x03(i:17) Enable all",
                                    nullptr};

namespace {

enum MenuIndex { kBasic, kGeneral, kShadow, kMenuCount };
enum BasicItem { kInitName = 1, kInitNumbering = 2, kInitStart = 3 };
constexpr int kDeployItem = 1;
constexpr int kDismissed = -1;

int itemCount(const PanelContext &context) {
  if (context.menuIndex < 0 || context.menuIndex >= kMenuCount) return 0;
  return static_cast<int>((context.menuCounts >> (4 * context.menuIndex)) & 15);
}

// Which menu a click at height y opens, or -1 for none. The bands follow the
// null panel's divider lines; the bone panel offers only its menu of the
// moment (always Basic) above its "Col" row.
int menuAt(const PanelContext &context, int y) {
  if (context.panelKind == kBonePanelKind) return y <= 57 ? context.menuIndex : -1;
  if (context.panelKind != kNullPanelKind) return -1;
  if (y >= 1 && y <= 56) return kBasic;
  if (y >= 58 && y <= 136) return kGeneral;
  if (y >= 138 && y <= 186) return kShadow;
  return -1;
}

void basicAction(const PanelContext &c, int item) {
  switch (item) {
    case kInitName:
      setNameText(c.nameEdit, defaultName(c.panelKind));
      break;
    case kInitNumbering:
      setValue(c.suffixPopup, 0);
      setValue(c.prefixPopup, 0);
      break;
    case kInitStart:
      setNumberText(c.startEdit, "1");
      break;
    default:
      break;  // the title
  }
}

// Items 1 and 2 set a group of render-flag boxes to 0 and 1.
void flagAction(const PanelContext &c, int menu, int item) {
  if (item != 1 && item != 2) return;
  if (c.panelKind != kNullPanelKind) return;
  const int32_t value = item - 1;
  if (menu == kGeneral) {
    if (buildAtLeast(c.hostBuild, kBuildRadiosity)) setValue(c.renderBools[kRadiosityBool], value);
    setValue(c.renderBools[kRaysBool], value);
    setValue(c.renderBools[kCameraBool], value);
    setValue(c.renderBools[kFogBool], value);
  } else if (menu == kShadow) {
    setValue(c.renderBools[kSelfShadowBool], value);
    setValue(c.renderBools[kCastShadowBool], value);
    setValue(c.renderBools[kReceiveShadowBool], value);
  }
}

}  // namespace

int menuItemCount(void *userData) {
  try {
    if (userData == nullptr) return 0;
    return itemCount(*menuContextOf(userData));
  } catch (...) {
    noteCallbackFailure();
    return 0;
  }
}

char *menuItemName(void *userData, int index) {
  try {
    if (userData == nullptr) return nullptr;
    const PanelContext &context = *menuContextOf(userData);
    if (index < 0 || index >= itemCount(context)) return nullptr;
    const char *const *list = context.menuLists[context.menuIndex];
    // The host only reads the text; the record's field is not const.
    return list == nullptr ? nullptr : const_cast<char *>(list[index]);
  } catch (...) {
    noteCallbackFailure();
    return nullptr;
  }
}

void panelMouse(Panel *panel, void *userData, int code, int, int y) {
  try {
    if (code != LAYOUT_MOUSE_MENU) return;
    PanelContext *context = contextOf(userData);
    if (context == nullptr || context->menuService == nullptr || context->menuHandle == nullptr) return;
    const int menu = menuAt(*context, y);
    if (menu < 0) return;
    context->menuIndex = menu;
    const int item = context->menuService->deploy(context->menuHandle, panel, kDeployItem);
    if (item == kDismissed) return;
    if (context->menuIndex == kBasic) {
      basicAction(*context, item);
    } else {
      flagAction(*context, context->menuIndex, item);
    }
  } catch (...) {
    noteCallbackFailure();
  }
}

}  // namespace mint

#include "panels/frame.h"

#include "module/option_store.h"
#include "panels/callback_failure.h"
#include "panels/context_menus.h"
#include "panels/desktop_rect.h"
#include "panels/naming_row.h"
#include "panels/panel_keys.h"
#include "panels/user_data.h"

namespace mint {
namespace {

// The centring box is a little larger than the 314-pixel panel.
constexpr int32_t kCentringWidth = 320;
constexpr int32_t kCentringHeight = 250;

// One menu serves the three item lists; menuIndex picks the one shown.
bool createMenu(PanelContext &context) {
  context.menuLists[0] = kBasicMenu;
  context.menuLists[1] = kGeneralMenu;
  context.menuLists[2] = kShadowMenu;
  context.menuListEnd = nullptr;
  context.menuCounts = kMenuCounts;
  context.menuIndex = 0;
  MenuDesc desc = {LAYOUT_MENU_DESC_TYPE, kMenuWidth, menuItemCount, menuItemName};
  context.menuHandle = context.menuService->create(&desc, &context);
  return context.menuHandle != nullptr;
}

void setPanel(PanelServices *services, Panel *panel, int tag, void *value) {
  services->set(panel, tag, value);
}

template <typename Function>
void setPanelFunction(PanelServices *services, Panel *panel, int tag, Function *function) {
  setPanel(services, panel, tag, reinterpret_cast<void *>(function));
}

}  // namespace

void centrePanel(int32_t *x, int32_t *y) {
  const Rect rect = desktopRect();
  // Arithmetic shifts: a desktop narrower than the box gives a negative edge.
  *x = (rect.right - kCentringWidth) >> 1;
  *y = (rect.bottom - kCentringHeight) >> 1;
}

void placePanel(Panel *panel, void *userData) {
  try {
    PanelContext *context = contextOf(userData);
    if (context == nullptr) return;
    servicesOf(userData)->set(panel, LAYOUT_PAN_X, &context->panelX);
  } catch (...) {
    noteCallbackFailure();
  }
}

PanelOpening::~PanelOpening() {
  if (panel_ == nullptr) return;
  // A destructor must not let a host failure through, and a menu that fails
  // to go must not keep the panel from going.
  try {
    if (context_.menuHandle != nullptr) context_.menuService->destroy(context_.menuHandle);
  } catch (...) {
    noteCallbackFailure();
  }
  try {
    services_->destroy(panel_);
  } catch (...) {
    noteCallbackFailure();
  }
  detachContext(services_);
}

bool PanelOpening::create(GlobalFunc *global, const char *title, int32_t kind, uint32_t hostBuild) {
  context_.menuService = static_cast<ContextMenuServices *>(global(LAYOUT_CONTEXT_MENU_SERVICES, 0));
  services_ = static_cast<PanelServices *>(global(LAYOUT_PANEL_SERVICES, 0));
  if (context_.menuService == nullptr || services_ == nullptr) return false;

  // The host copies the title and never writes to it.
  panel_ = services_->create(const_cast<char *>(title), nullptr);
  if (panel_ == nullptr) return false;

  centrePanel(&context_.panelX, &context_.panelY);
  services_->globalFun = global;
  attachContext(services_, &context_);
  context_.panelKind = kind;
  context_.hostBuild = hostBuild;
  return true;
}

bool PanelOpening::buildShared(const NamingLists *lists) {
  return createMenu(context_) && buildNamingRow(services_, panel_, lists);
}

void PanelOpening::wireShared() { wireNamingRow(services_); }

int PanelOpening::open(int32_t height) {
  int32_t width = kPanelWidth;
  setPanel(services_, panel_, LAYOUT_PAN_USERDATA, services_);
  setPanelFunction(services_, panel_, LAYOUT_PAN_KEY, panelKey);
  setPanelFunction(services_, panel_, LAYOUT_PAN_PLACE, placePanel);
  setPanelFunction(services_, panel_, LAYOUT_PAN_MOUSE, panelMouse);
  setPanel(services_, panel_, LAYOUT_PAN_W, &width);
  setPanel(services_, panel_, LAYOUT_PAN_H, &height);
  // The left edge comes from the placement function alone.
  setPanel(services_, panel_, LAYOUT_PAN_Y, &context_.panelY);
  return services_->open(panel_, LAYOUT_PANEL_OPEN_FLAGS);
}

}  // namespace mint

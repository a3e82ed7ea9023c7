#include "panels/frame.h"

#include "module/option_store.h"
#include "panels/callback_failure.h"
#include "panels/context_menus.h"
#include "panels/desktop_rect.h"
#include "panels/naming_row.h"
#include "panels/panel_keys.h"

namespace mint {
namespace {

// The centring box is a little larger than the 314-pixel panel.
constexpr int32_t kCentringWidth = 320;
constexpr int32_t kCentringHeight = 250;

// Destroys the menu (when made), then the panel, and detaches the context from
// the services table, on every way out of runPanel once the panel exists.
struct OpenPanel {
  PanelServices *services;
  Panel *panel;
  PanelContext *context;

  // A destructor must not let a host failure through, and a menu that fails
  // to go must not keep the panel from going.
  ~OpenPanel() {
    try {
      if (context->menuHandle != nullptr) context->menuService->destroy(context->menuHandle);
    } catch (...) {
      noteCallbackFailure();
    }
    try {
      services->destroy(panel);
    } catch (...) {
      noteCallbackFailure();
    }
    services->userData = nullptr;
  }
};

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
    static_cast<PanelServices *>(userData)->set(panel, LAYOUT_PAN_X, &context->panelX);
  } catch (...) {
    noteCallbackFailure();
  }
}

int runPanel(GlobalFunc *global, void *record, uint32_t hostBuild, const NamingLists *lists,
             const PanelSteps &steps, void *own) {
  PanelContext context{};
  context.menuService = static_cast<ContextMenuServices *>(global(LAYOUT_CONTEXT_MENU_SERVICES, 0));
  auto *services = static_cast<PanelServices *>(global(LAYOUT_PANEL_SERVICES, 0));
  if (context.menuService == nullptr || services == nullptr) return 0;

  // The host copies the title and never writes to it.
  Panel *panel = services->create(const_cast<char *>(steps.title), nullptr);
  if (panel == nullptr) return 0;

  centrePanel(&context.panelX, &context.panelY);
  services->globalFun = global;
  services->userData = &context;
  const OpenPanel openPanel = {services, panel, &context};

  context.panelKind = steps.kind;
  context.hostBuild = hostBuild;
  PanelRun run = {services, panel, &context, lists, record, own};
  steps.prepare(run);

  if (!createMenu(context)) return 0;
  if (!buildNamingRow(services, panel, lists)) return 0;
  if (!steps.build(run)) return 0;
  // Wired only now, so that setting the initial values fired no naming event.
  wireNamingRow(services);
  steps.wire(run);

  int32_t width = kPanelWidth;
  int32_t height = steps.height(run);
  setPanel(services, panel, LAYOUT_PAN_USERDATA, services);
  setPanelFunction(services, panel, LAYOUT_PAN_KEY, panelKey);
  setPanelFunction(services, panel, LAYOUT_PAN_PLACE, placePanel);
  setPanelFunction(services, panel, LAYOUT_PAN_MOUSE, panelMouse);
  setPanel(services, panel, LAYOUT_PAN_W, &width);
  setPanel(services, panel, LAYOUT_PAN_H, &height);
  // The left edge comes from the placement function alone.
  setPanel(services, panel, LAYOUT_PAN_Y, &context.panelY);

  const int result = services->open(panel, LAYOUT_PANEL_OPEN_FLAGS);
  if (result != 0) {
    // A host failure part-way through reading the panel back must not leave
    // half-read choices (an emptied name) for the next run to offer.
    const OptionStore before = gOptionStore;
    try {
      steps.readBack(run);
    } catch (...) {
      gOptionStore = before;
      throw;
    }
  }
  return result;
}

}  // namespace mint

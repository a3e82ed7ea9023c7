// The context-menu services: menus made from a module's descriptor and shown
// through the front-end while a panel is open.
#include <string>

#include "host/loader/binding.h"
#include "host/loader/fault_plan.h"
#include "host/panels/panel_engine.h"

namespace layout {
namespace {

// A menu claiming more items than this is taken to be misreporting its count.
constexpr int kMaxMenuItems = 4096;

}  // namespace

MenuObject *PanelEngine::usableMenu(Menu *menu, const char *call) {
  const auto *handle = reinterpret_cast<const MenuHandle *>(menu);
  if (!handle || handle->magic != kMenuMagic) {
    anyDiagnostics().misuse(std::string(call) + ": not a context menu of this host");
    return nullptr;
  }
  MenuObject *object = handle->object;
  if (!object->engine->checkActive(call)) return nullptr;
  if (object->dead) {
    object->engine->diagnostics_.misuse(std::string(call) + ": context menu used after it was destroyed");
    return nullptr;
  }
  return object;
}

Menu *PanelEngine::createMenu(MenuDesc *descriptor, void *userData) {
  HostCall call("ContextMenuServices.create");
  if (call.fails()) return nullptr;
  PanelEngine *engine = activeEngine("ContextMenuServices.create");
  if (!engine) return nullptr;
  if (!descriptor || !descriptor->count || !descriptor->name) {
    engine->diagnostics_.misuse(
        "ContextMenuServices.create: the descriptor needs a count and a name function");
    return nullptr;
  }
  auto menu = std::make_unique<MenuObject>();
  menu->engine = engine;
  menu->descriptor = *descriptor;
  menu->userData = userData;
  engine->menus_.push_back(std::move(menu));
  return engine->menus_.back()->asMenu();
}

int PanelEngine::deployMenu(Menu *menuHandle, Panel *panelHandle, int item) {
  HostCall call("ContextMenuServices.deploy");
  if (call.fails()) return -1;
  MenuObject *menu = usableMenu(menuHandle, "ContextMenuServices.deploy");
  if (!menu) return -1;
  PanelObject *panel = usablePanel(panelHandle, "ContextMenuServices.deploy");
  if (!panel) return -1;
  return menu->engine->deploy(*menu, *panel, item);
}

int PanelEngine::deploy(MenuObject &menu, PanelObject &panel, int item) {
  if (!panel.open) {
    diagnostics_.misuse("ContextMenuServices.deploy: " + panel.describe() + " is not open");
    return -1;
  }
  int count = 0;
  {
    ModuleCall call;
    count = menu.descriptor.count(menu.userData);
  }
  if (count < 0 || count > kMaxMenuItems) {
    diagnostics_.misuse("ContextMenuServices.deploy: menu count " + std::to_string(count) + " is not usable");
    return -1;
  }
  MenuView view{{}, item};
  for (int i = 0; i < count; ++i) {
    const char *name = nullptr;
    {
      ModuleCall call;
      name = menu.descriptor.name(menu.userData, i);
    }
    if (!name)
      diagnostics_.misuse("ContextMenuServices.deploy: menu item " + std::to_string(i) + " has no text");
    view.items.emplace_back(name ? name : "");
  }
  const int chosen = frontEnd_ ? frontEnd_->chooseMenuItem(view) : -1;
  return chosen >= 0 && chosen < count ? chosen : -1;
}

void PanelEngine::destroyMenu(Menu *handle) {
  HostCall call("ContextMenuServices.destroy", false);
  MenuObject *menu = usableMenu(handle, "ContextMenuServices.destroy");
  if (menu) menu->dead = true;
}

}  // namespace layout

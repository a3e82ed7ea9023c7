// The host's panel and context-menu services: the "LWPanelServices" and
// "ContextMenuServices" tables, the panels, controls and menus behind them,
// and the modal open that hands the panel to a front-end.
//
// The engine checks how the module uses it. Misuse (a handle used after its
// panel was destroyed, an unknown tag, an index out of range, a call outside
// an activation, a changed host-private field) is named in one message to the
// diagnostics, and the call does nothing.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "host/loader/diagnostics.h"
#include "host/panels/front_end.h"
#include "host/panels/panel_objects.h"
#include "layout.h"

namespace layout {

class PanelEngine {
 public:
  explicit PanelEngine(Diagnostics &diagnostics);
  ~PanelEngine();
  PanelEngine(const PanelEngine &) = delete;
  PanelEngine &operator=(const PanelEngine &) = delete;

  // The tables a module acquires; the module writes userData and globalFun.
  PanelServices *panelServices() { return &panelServices_; }
  ContextMenuServices *menuServices() { return &menuServices_; }

  // Not owned. Without a front-end every panel closes with Cancel at once.
  void setFrontEnd(FrontEnd *frontEnd) { frontEnd_ = frontEnd; }
  // When an activation returns: panels and menus still alive are reported
  // and retired.
  void endActivation();

  Diagnostics &diagnostics() { return diagnostics_; }
  // Every panel made so far, destroyed ones included, in creation order.
  const std::vector<std::unique_ptr<PanelObject>> &panels() const { return panels_; }
  // The flags of the latest open.
  int lastOpenFlags() const { return lastOpenFlags_; }

  // Where to report when no engine is known from a handle.
  static Diagnostics &anyDiagnostics();

 private:
  class Session;

  // Panel services (panel_engine.cc).
  static Panel *createPanel(char *title, void *reserved);
  static void destroyPanel(Panel *panel);
  static int openPanel(Panel *panel, int flags);
  static void closePanel(Panel *panel);
  static void setPanel(Panel *panel, int tag, void *value);
  static void getPanel(Panel *panel, int tag, void *value);
  static Control *addControl(Panel *panel, char *typeName, ControlDesc *descriptor, char *label);
  // Controls (control_calls.cc).
  static void drawControl(Control *control, int mode);
  static void getControl(Control *control, int tag, PanelValue *value);
  static void setControl(Control *control, int tag, PanelValue *value);
  // Context menus (menu_services.cc).
  static Menu *createMenu(MenuDesc *descriptor, void *userData);
  static int deployMenu(Menu *menu, Panel *panel, int item);
  static void destroyMenu(Menu *menu);

  // Checked handles: null, after reporting why, when the call cannot go on.
  static PanelObject *usablePanel(Panel *panel, const char *call);
  static ControlObject *usableControl(Control *control, const char *call);
  static MenuObject *usableMenu(Menu *menu, const char *call);
  static PanelEngine *activeEngine(const char *call);
  bool checkActive(const char *call);

  int open(PanelObject &panel, int flags);
  ControlObject *newControl(PanelObject &panel, ControlKind kind, const ControlDesc &descriptor,
                            const char *label);
  int deploy(MenuObject &menu, PanelObject &panel, int item);

  Diagnostics &diagnostics_;
  PanelServices panelServices_;
  ContextMenuServices menuServices_;
  FrontEnd *frontEnd_ = nullptr;
  std::vector<std::unique_ptr<PanelObject>> panels_;  // live and destroyed
  std::vector<std::unique_ptr<MenuObject>> menus_;    // live and destroyed
  uint32_t keyQualifiers_ = 0;                        // of the key press being delivered
  int lastOpenFlags_ = 0;
};

}  // namespace layout

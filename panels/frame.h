// The frame every options panel runs in: acquiring the panel and menu
// services, creating, placing and opening the panel, attaching the panel
// callbacks, and tearing everything down afterwards.
#pragma once

#include <cstdint>

#include "layout.h"
#include "panels/dialog.h"
#include "panels/panel_context.h"

namespace mint {

// What the panel-specific steps work with during one opening.
struct PanelRun {
  PanelServices *services;
  Panel *panel;
  PanelContext *context;
  const NamingLists *lists;
  void *record;  // the panel's options record
  void *own;     // the panel's controls that live outside the context
};

// The panel-specific steps, called by runPanel at their places in the frame.
struct PanelSteps {
  const char *title;
  int32_t kind;
  // Build-dependent preparation, before the menu exists.
  void (*prepare)(PanelRun &run);
  // Own controls, their placement and the initial values of all controls,
  // the naming row's included. False when the host failed to create a control.
  bool (*build)(PanelRun &run);
  // Own event wiring, after the naming row's.
  void (*wire)(PanelRun &run);
  int32_t (*height)(const PanelRun &run);
  // Called only when the user confirmed.
  void (*readBack)(PanelRun &run);
};

// Runs one opening of a panel. `hostBuild` comes from the options record.
// Returns the open result: non-zero for OK, 0 for Cancel or when no panel
// could be shown (missing service, or a panel, menu or control the host did
// not create).
int runPanel(GlobalFunc *global, void *record, uint32_t hostBuild, const NamingLists *lists,
             const PanelSteps &steps, void *own);

// The centred screen position of a panel on the desktop's client rectangle.
void centrePanel(int32_t *x, int32_t *y);

// Placement function (panel tag 9): puts the panel's left edge back at the
// centred position whenever the host places the panel. User data: the panel
// services table.
void placePanel(Panel *panel, void *userData);

inline constexpr int32_t kPanelWidth = 314;

}  // namespace mint

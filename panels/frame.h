// The frame every options panel runs in: acquiring the panel and menu
// services, creating, placing and opening the panel, attaching the panel
// callbacks, and tearing everything down afterwards.
#pragma once

#include <cstdint>

#include "layout.h"
#include "module/option_store.h"
#include "panels/dialog.h"
#include "panels/panel_context.h"

namespace mint {

// What the panel-specific steps work with during one opening.
struct PanelRun {
  PanelServices *services;
  Panel *panel;
  PanelContext *context;
  const NamingLists *lists;
};

// The panel-specific steps, called by runPanel at their places in the frame.
// `State` is the panel's own record: its options record and the controls
// that live outside the context.
template <typename State>
struct PanelSteps {
  const char *title;
  int32_t kind;
  // Build-dependent preparation, before the menu exists.
  void (*prepare)(PanelRun &run, State &state);
  // Own controls, their placement and the initial values of all controls,
  // the naming row's included. False when the host failed to create a control.
  bool (*build)(PanelRun &run, State &state);
  // Own event wiring, after the naming row's.
  void (*wire)(PanelRun &run, State &state);
  int32_t (*height)(const PanelRun &run, const State &state);
  // Called only when the user confirmed.
  void (*readBack)(PanelRun &run, State &state);
};

// The shared part of one opening: the services, the panel and the context its
// callbacks reach. Once the panel exists, leaving the opening destroys the
// menu (when made), then the panel, and detaches the context.
class PanelOpening {
 public:
  PanelOpening() = default;
  ~PanelOpening();
  PanelOpening(const PanelOpening &) = delete;
  PanelOpening &operator=(const PanelOpening &) = delete;

  // Acquires the services, creates and centres the panel and attaches the
  // context. False when a service is missing or the host made no panel.
  bool create(GlobalFunc *global, const char *title, int32_t kind, uint32_t hostBuild);
  PanelRun run(const NamingLists *lists) { return PanelRun{services_, panel_, &context_, lists}; }
  // The right-click menu and the naming row; false when the host failed to
  // create one of them.
  bool buildShared(const NamingLists *lists);
  void wireShared();
  // Attaches the panel functions, sizes and places the panel, and opens it.
  // Returns the open result.
  int open(int32_t height);

 private:
  PanelContext context_{};
  PanelServices *services_ = nullptr;
  Panel *panel_ = nullptr;
};

// Runs one opening of a panel. `hostBuild` comes from the options record.
// Returns the open result: non-zero for OK, 0 for Cancel or when no panel
// could be shown (missing service, or a panel, menu or control the host did
// not create).
template <typename State>
int runPanel(GlobalFunc *global, uint32_t hostBuild, const NamingLists *lists, const PanelSteps<State> &steps,
             State &state) {
  PanelOpening opening;
  if (!opening.create(global, steps.title, steps.kind, hostBuild)) return 0;
  PanelRun run = opening.run(lists);
  steps.prepare(run, state);
  if (!opening.buildShared(lists)) return 0;
  if (!steps.build(run, state)) return 0;
  // Wired only now, so that setting the initial values fired no naming event.
  opening.wireShared();
  steps.wire(run, state);

  const int result = opening.open(steps.height(run, state));
  if (result != 0) {
    // A host failure part-way through reading the panel back must not leave
    // half-read choices (an emptied name) for the next run to offer.
    const OptionStore before = gOptionStore;
    try {
      steps.readBack(run, state);
    } catch (...) {
      gOptionStore = before;
      throw;
    }
  }
  return result;
}

// The centred screen position of a panel on the desktop's client rectangle.
void centrePanel(int32_t *x, int32_t *y);

// Placement function (panel tag 9): puts the panel's left edge back at the
// centred position whenever the host places the panel. User data: the panel
// services table.
void placePanel(Panel *panel, void *userData);

inline constexpr int32_t kPanelWidth = 314;

}  // namespace mint

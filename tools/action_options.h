// The panel actions as command-line flags, carried out in the order given:
// --set CONTROL=VALUE, --tick LABEL, --untick LABEL, --key KEY,
// --menu Y:ITEM, and (where the panel is to be closed) --ok and --cancel.
#pragma once

#include <vector>

#include "tools/panel_actions.h"

namespace CLI {
class App;
}

namespace sim {

// `closing`: whether --ok and --cancel are offered.
void addActionOptions(CLI::App &app, bool closing);

// The actions in command-line order; throws CliError (bad input).
std::vector<PanelAction> collectActions(const CLI::App &app);

}  // namespace sim

#include "tools/action_options.h"

#include <CLI/CLI.hpp>
#include <map>

namespace sim {
namespace {

constexpr const char *kGroup = "Panel actions (carried out in the order given)";

}  // namespace

void addActionOptions(CLI::App &app, bool closing) {
  auto addValued = [&](const char *flag, const char *typeName, const char *help) {
    app.add_option(flag)
        ->description(help)
        ->expected(1)
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll)
        ->type_name(typeName)
        ->group(kGroup);
  };
  addValued("--set", "CONTROL=VALUE",
            "Set a control: a text, a popup entry by index or text (Col=Red), a number, on/off");
  addValued("--tick", "LABEL", "Tick a check box");
  addValued("--untick", "LABEL", "Untick a check box");
  addValued("--key", "KEY",
            "Press a key: Enter, Tab, Left, Right, Up, Down, c, C, 4, 0x1012; shift+KEY: qualifier 2");
  addValued("--menu", "MENU:ITEM",
            "Right-click on the menu of title MENU (or Y pixels down the panel); pick an item by index or "
            "text, or dismiss");
  if (closing) {
    app.add_flag("--ok")->description("Press OK (the default once the actions are done)")->group(kGroup);
    app.add_flag("--cancel")->description("Press Cancel: nothing is sent")->group(kGroup);
  }
}

std::vector<PanelAction> collectActions(const CLI::App &app) {
  std::vector<PanelAction> actions;
  std::map<const CLI::Option *, size_t> used;
  for (const CLI::Option *option : app.parse_order()) {
    const std::string flag = option->get_name();
    const std::string verb = flag.rfind("--", 0) == 0 ? flag.substr(2) : flag;
    if (!isActionVerb(verb)) continue;
    const size_t occurrence = used[option]++;
    if (!actionTakesArgument(verb)) {
      actions.push_back(parseAction(verb, "", flag));
      continue;
    }
    const std::string &argument = option->results().at(occurrence);
    actions.push_back(parseAction(verb, argument, flag + " " + argument));
  }
  checkClosingActionIsLast(actions);
  return actions;
}

}  // namespace sim

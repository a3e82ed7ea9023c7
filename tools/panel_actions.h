// What a user does in an open panel, as written on the command line
// (--set Num=3, --tick "Parent (x)", --key shift+Left, --menu 100:"Enable all",
// --ok, --cancel) and in session files ({"set": "Num=3"}, "ok", ...).
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tools/key_names.h"

namespace sim {

// A right-click at `y` pixels from the panel's top edge, and what to choose
// in the menu that shows; or the menu by its title (the text of its item 0).
struct MenuPick {
  int y = 0;
  std::string title;  // when not empty: the menu by its title instead of by y
  bool dismiss = false;
  std::optional<int> index;  // by position, 0 being the menu's title
  std::string text;          // by the text the menu shows
};

struct PanelAction {
  enum class Kind { kSet, kTick, kUntick, kKey, kMenu, kOk, kCancel };

  Kind kind = Kind::kOk;
  std::string control;   // kSet, kTick, kUntick: a label or a role
  std::string value;     // kSet: as the user typed it
  KeyPress key;          // kKey
  MenuPick menu;         // kMenu
  std::string spelling;  // how the user wrote it, for messages: "--set Num=3"
};

// The verbs, as flags and session keys: "set", "tick", "untick", "key",
// "menu" take an argument; "ok" and "cancel" do not.
bool actionTakesArgument(std::string_view verb);
bool isActionVerb(std::string_view verb);
std::vector<std::string> actionVerbs();

// Parses one action; throws CliError (bad input) naming what is wrong.
// `spelling` is kept for later messages.
PanelAction parseAction(std::string_view verb, std::string_view argument, std::string spelling);

// OK and Cancel close the panel, so only the last action may be one of them.
// Throws CliError (bad input) otherwise.
void checkClosingActionIsLast(const std::vector<PanelAction> &actions);

}  // namespace sim

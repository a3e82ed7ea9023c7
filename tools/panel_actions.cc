#include "tools/panel_actions.h"

#include <charconv>

#include "tools/cli_error.h"

namespace sim {
namespace {

struct Verb {
  const char *name;
  PanelAction::Kind kind;
  bool takesArgument;
};

constexpr Verb kVerbs[] = {
    {"set", PanelAction::Kind::kSet, true},        {"tick", PanelAction::Kind::kTick, true},
    {"untick", PanelAction::Kind::kUntick, true},  {"key", PanelAction::Kind::kKey, true},
    {"menu", PanelAction::Kind::kMenu, true},      {"ok", PanelAction::Kind::kOk, false},
    {"cancel", PanelAction::Kind::kCancel, false},
};

const Verb *findVerb(std::string_view name) {
  for (const Verb &verb : kVerbs) {
    if (name == verb.name) return &verb;
  }
  return nullptr;
}

std::optional<int> parseInt(std::string_view text) {
  int value = 0;
  const char *end = text.data() + text.size();
  const auto [ptr, error] = std::from_chars(text.data(), end, value);
  if (text.empty() || error != std::errc() || ptr != end) return std::nullopt;
  return value;
}

MenuPick parseMenuPick(std::string_view argument) {
  const size_t colon = argument.find(':');
  if (colon == std::string_view::npos) {
    throw badInput(
        "a menu pick is MENU:ITEM (MENU the menu's title, or the click's distance from the panel's top "
        "in pixels; ITEM an item's index or text, or dismiss), not \"" +
        std::string(argument) + "\"");
  }
  MenuPick pick;
  // A menu's title may hold a colon; an item's text may not then.
  const std::string_view where = argument.substr(0, colon);
  if (const std::optional<int> y = parseInt(where)) {
    pick.y = *y;
  } else if (where.empty() || where.front() == '-' || (where.front() >= '0' && where.front() <= '9')) {
    throw badInput("menu pick \"" + std::string(argument) +
                   "\": before ':' comes the menu's title or a whole number of pixels");
  } else {
    pick.title = std::string(where);
  }
  const std::string_view item = argument.substr(colon + 1);
  if (item.empty()) throw badInput("menu pick \"" + std::string(argument) + "\": missing the item after ':'");
  if (item == "dismiss") {
    pick.dismiss = true;
  } else if (const std::optional<int> index = parseInt(item)) {
    if (*index < 0) throw badInput("menu pick \"" + std::string(argument) + "\": an item index is 0 or more");
    pick.index = index;
  } else {
    pick.text = std::string(item);
  }
  return pick;
}

}  // namespace

bool actionTakesArgument(std::string_view verb) {
  const Verb *found = findVerb(verb);
  return found && found->takesArgument;
}

bool isActionVerb(std::string_view verb) { return findVerb(verb) != nullptr; }

std::vector<std::string> actionVerbs() {
  std::vector<std::string> names;
  for (const Verb &verb : kVerbs) names.emplace_back(verb.name);
  return names;
}

PanelAction parseAction(std::string_view verb, std::string_view argument, std::string spelling) {
  const Verb *found = findVerb(verb);
  if (!found) throw badInput("unknown panel action \"" + std::string(verb) + "\"");
  PanelAction action;
  action.kind = found->kind;
  action.spelling = std::move(spelling);
  switch (action.kind) {
    case PanelAction::Kind::kSet: {
      const size_t equals = argument.find('=');
      if (equals == std::string_view::npos || equals == 0) {
        throw badInput(action.spelling + ": expected CONTROL=VALUE, such as Num=3 or \"suffix= +_nnn\"");
      }
      action.control = std::string(argument.substr(0, equals));
      action.value = std::string(argument.substr(equals + 1));
      break;
    }
    case PanelAction::Kind::kTick:
    case PanelAction::Kind::kUntick:
      if (argument.empty()) throw badInput(action.spelling + ": missing the check box's label");
      action.control = std::string(argument);
      break;
    case PanelAction::Kind::kKey:
      try {
        action.key = parseKey(argument);
      } catch (const CliError &error) {
        throw badInput(action.spelling + ": " + error.what());
      }
      break;
    case PanelAction::Kind::kMenu:
      try {
        action.menu = parseMenuPick(argument);
      } catch (const CliError &error) {
        throw badInput(action.spelling + ": " + error.what());
      }
      break;
    case PanelAction::Kind::kOk:
    case PanelAction::Kind::kCancel:
      break;
  }
  return action;
}

void checkClosingActionIsLast(const std::vector<PanelAction> &actions) {
  for (size_t i = 0; i + 1 < actions.size(); ++i) {
    const PanelAction::Kind kind = actions[i].kind;
    if (kind == PanelAction::Kind::kOk || kind == PanelAction::Kind::kCancel) {
      throw badInput(actions[i].spelling + " closes the panel, so it must be the last panel action (\"" +
                     actions[i + 1].spelling + "\" follows it)");
    }
  }
}

}  // namespace sim

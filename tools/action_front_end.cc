#include "tools/action_front_end.h"

#include <algorithm>
#include <cctype>
#include <iostream>
#include <locale>
#include <sstream>
#include <variant>

#include "host/panels/scripted_front_end.h"
#include "host/pictures/panel_picture.h"
#include "host/text/spelling.h"
#include "layout.h"
#include "tools/cli_error.h"
#include "tools/control_input.h"
#include "tools/suggest.h"

namespace sim {
namespace {

// Where a right-click lands across the panel; the panels look only at y.
constexpr int kMenuClickX = 10;

// The names a control can be addressed by: labels and the host's roles.
std::vector<std::string> addresses(const layout::PanelView &panel) {
  std::vector<std::string> names;
  for (const layout::ControlView &control : panel.controls) {
    if (!control.label.empty()) names.push_back(control.label);
  }
  for (const char *role : {"name", "prefix", "suffix", "iconPercent"}) {
    std::string ignored;
    if (layout::findControl(panel, role, ignored)) names.emplace_back(role);
  }
  return names;
}

std::string menuItems(const layout::MenuView &menu) {
  std::string list;
  for (size_t i = 0; i < menu.items.size(); ++i) {
    list += (i ? ", " : "") + std::to_string(i) + " \"" + layout::displayText(menu.items[i]) + "\"";
  }
  return list;
}

}  // namespace

void ActionFrontEnd::run(layout::OpenPanel &panel) {
  ++panelsShown_;
  // This runs nested inside the module's panel function: nothing may leave it
  // as an exception.
  while (panel.isOpen() && next_ < actions_.size()) {
    const PanelAction &action = actions_[next_];
    try {
      perform(panel, action);
    } catch (const CliError &error) {
      failure_ = ActionFailure{next_, error.what()};
      cancelled_ = true;
      panel.cancel();
      return;
    }
    ++next_;
    if (!panel.isOpen() && action.kind != PanelAction::Kind::kOk &&
        action.kind != PanelAction::Kind::kCancel) {
      closedBy_ = next_ - 1;
    }
  }
  if (!panel.isOpen()) return;
  if (finish_ == Finish::kConfirm) {
    panel.confirm();
  } else {
    inspected_ = panel.view();
    cancelled_ = true;
    panel.cancel();
  }
}

void ActionFrontEnd::perform(layout::OpenPanel &panel, const PanelAction &action) {
  switch (action.kind) {
    case PanelAction::Kind::kOk:
      panel.confirm();
      return;
    case PanelAction::Kind::kCancel:
      cancelled_ = true;
      panel.cancel();
      return;
    case PanelAction::Kind::kKey:
      if (!panel.pressKey(action.key.code, action.key.qualifiers)) {
        throw badInput(action.spelling + ": panel \"" + panel.view().title +
                       "\" does not answer this key (letter keys are case-sensitive)");
      }
      return;
    case PanelAction::Kind::kMenu:
      click(panel, action);
      return;
    case PanelAction::Kind::kSet:
    case PanelAction::Kind::kTick:
    case PanelAction::Kind::kUntick:
      change(panel, action);
      return;
  }
}

void ActionFrontEnd::change(layout::OpenPanel &panel, const PanelAction &action) {
  const layout::PanelView view = panel.view();
  std::string problem;
  const std::optional<size_t> index = layout::findControl(view, action.control, problem);
  if (!index) {
    if (problem.find("ambiguous") == std::string::npos)
      problem += didYouMean(action.control, addresses(view));
    throw badInput(action.spelling + ": " + problem);
  }
  const layout::ControlView &control = view.controls[*index];
  layout::ControlValue value;
  if (action.kind == PanelAction::Kind::kSet) {
    try {
      value = controlInput(control, action.control, action.value);
    } catch (const CliError &error) {
      throw badInput(action.spelling + ": " + error.what());
    }
  } else {
    if (control.type != "BoolControl") {
      throw badInput(action.spelling + ": \"" + action.control + "\" is a " + control.type +
                     ", not a check box; use --set");
    }
    value = int64_t{action.kind == PanelAction::Kind::kTick ? 1 : 0};
  }
  problem = panel.change(*index, value);
  if (!problem.empty()) throw badInput(action.spelling + ": " + problem);
  if (action.kind == PanelAction::Kind::kSet) checkCorrection(panel.view().controls[*index], value, action);
}

namespace {

// A control's value as the user would type it.
std::string shownValue(const layout::ControlView &control, const layout::ControlValue &value) {
  if (const auto *text = std::get_if<std::string>(&value)) return *text;
  if (const auto *integer = std::get_if<int64_t>(&value)) {
    const bool entry = control.type == "PopupControl" || control.type == "ChoiceControl";
    return entry && *integer >= 0 && static_cast<size_t>(*integer) < control.items.size()
               ? "\"" + layout::displayText(control.items[static_cast<size_t>(*integer)]) + "\""
               : std::to_string(*integer);
  }
  std::ostringstream number;
  number.imbue(std::locale::classic());
  number << std::get<double>(value);
  return number.str();
}

layout::ControlValue currentValue(const layout::ControlView &control, const layout::ControlValue &like) {
  if (std::holds_alternative<std::string>(like)) return control.text;
  if (std::holds_alternative<int64_t>(like)) return control.integer;
  return control.real;
}

}  // namespace

// The module may correct a typed value at once (a count above its maximum,
// a number that is not one): say so rather than let it pass unseen.
void ActionFrontEnd::checkCorrection(const layout::ControlView &shown, const layout::ControlValue &set,
                                     const PanelAction &action) const {
  const layout::ControlValue now = currentValue(shown, set);
  if (now == set) return;
  const std::string notice = action.control + ": " + shownValue(shown, set) + " corrected to " +
                             shownValue(shown, now) + " by the panel";
  if (strict_) throw badInput(action.spelling + ": " + notice + " (--strict)");
  std::cout.flush();
  std::cerr << "layout-sim: " << notice << "\n";
}

// The height at which a right-click shows the menu of the action's title:
// each height is tried, every menu shown is dismissed, until it shows.
int ActionFrontEnd::menuAt(layout::OpenPanel &panel, const PanelAction &action) {
  constexpr int kStep = 2;  // pixels; no menu's band is narrower
  const int height = panel.view().height.value_or(600);
  std::vector<std::string> titles;
  for (int y = 0; y < height; y += kStep) {
    probed_ = std::string();
    panel.click(LAYOUT_MOUSE_MENU, kMenuClickX, y);
    const std::string title = *probed_;
    probed_.reset();
    if (title.empty()) continue;
    if (layout::sameIgnoringCase(title, action.menu.title)) return y;
    if (std::find(titles.begin(), titles.end(), title) == titles.end()) titles.push_back(title);
  }
  std::string list;
  for (const std::string &title : titles) list += (list.empty() ? "\"" : ", \"") + title + "\"";
  throw badInput(action.spelling + ": panel \"" + panel.view().title + "\" has no menu \"" +
                 action.menu.title + "\"" + didYouMean(action.menu.title, titles) +
                 "; its menus: " + (list.empty() ? "none" : list));
}

void ActionFrontEnd::click(layout::OpenPanel &panel, const PanelAction &action) {
  const int y = action.menu.title.empty() ? action.menu.y : menuAt(panel, action);
  clicking_ = &action;
  menuShown_ = false;
  menuProblem_.clear();
  panel.click(LAYOUT_MOUSE_MENU, kMenuClickX, y);
  clicking_ = nullptr;
  if (!menuProblem_.empty()) throw badInput(action.spelling + ": " + menuProblem_);
  if (!menuShown_ && !action.menu.dismiss) {
    throw badInput(action.spelling + ": panel \"" + panel.view().title +
                   "\" shows no menu for a right-click at y " + std::to_string(y));
  }
}

int ActionFrontEnd::chooseMenuItem(const layout::MenuView &menu) {
  if (probed_) {
    if (probed_->empty() && !menu.items.empty()) *probed_ = layout::displayText(menu.items[0]);
    return -1;
  }
  if (!clicking_ || menuShown_) return -1;  // not asked for, or a second menu in one click
  menuShown_ = true;
  return pick(menu, clicking_->menu);
}

int ActionFrontEnd::pick(const layout::MenuView &menu, const MenuPick &wanted) {
  if (wanted.dismiss) return -1;
  if (wanted.index) {
    if (*wanted.index < static_cast<int>(menu.items.size())) return *wanted.index;
    menuProblem_ =
        "the menu has items 0 to " + std::to_string(menu.items.size() - 1) + " (" + menuItems(menu) + ")";
    return -1;
  }
  for (size_t i = 0; i < menu.items.size(); ++i) {
    if (layout::displayText(menu.items[i]) == wanted.text) return static_cast<int>(i);
  }
  for (size_t i = 0; i < menu.items.size(); ++i) {
    if (layout::sameIgnoringCase(layout::displayText(menu.items[i]), wanted.text)) return static_cast<int>(i);
  }
  menuProblem_ = "the menu has no item \"" + wanted.text + "\" (" + menuItems(menu) + ")";
  return -1;
}

}  // namespace sim

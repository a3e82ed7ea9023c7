#include "host/panels/scripted_front_end.h"

#include <utility>

#include "host/text/spelling.h"

namespace layout {
namespace {

ScriptAction action(ScriptAction::Kind kind, std::string control = {}, ControlValue value = {}) {
  ScriptAction result;
  result.kind = kind;
  result.control = std::move(control);
  result.value = std::move(value);
  return result;
}

std::string quoted(const std::string &text) { return "\"" + text + "\""; }

// Unlabelled controls that a script can name, with the type and the
// occurrence among unlabelled controls of that type.
struct Role {
  const char *name;
  const char *type;
  int occurrence;
};
constexpr Role kRoles[] = {
    {"name", "EditControl", 0},
    {"prefix", "PopupControl", 0},
    {"suffix", "PopupControl", 1},
    {"iconPercent", "PercentControl", 0},
};

std::optional<size_t> findRole(const PanelView &panel, const Role &role) {
  int seen = 0;
  for (const ControlView &control : panel.controls) {
    if (control.label.empty() && control.type == role.type && seen++ == role.occurrence) return control.index;
  }
  return std::nullopt;
}

std::string whatThereIs(const PanelView &panel) {
  std::string labels;
  for (const ControlView &control : panel.controls) {
    if (control.label.empty()) continue;
    labels += (labels.empty() ? "" : ", ") + quoted(control.label);
  }
  std::string roles;
  for (const Role &role : kRoles) {
    if (findRole(panel, role)) roles += (roles.empty() ? "" : ", ") + std::string(role.name);
  }
  return "labels: " + (labels.empty() ? "none" : labels) + "; roles: " + (roles.empty() ? "none" : roles);
}

}  // namespace

std::string ScriptAction::describe() const {
  switch (kind) {
    case Kind::kChange:
      return "change " + quoted(control);
    case Kind::kToggle:
      return "toggle " + quoted(control);
    case Kind::kKey:
      return "key " + std::to_string(key);
    case Kind::kClick:
      return "click " + std::to_string(code) + " at " + std::to_string(x) + "," + std::to_string(y);
    case Kind::kOk:
      return "OK";
    case Kind::kCancel:
      return "Cancel";
    case Kind::kInspect:
      return "inspect";
  }
  return "action";
}

namespace user {
ScriptAction setText(std::string control, std::string text) {
  return action(ScriptAction::Kind::kChange, std::move(control), std::move(text));
}
ScriptAction choose(std::string control, int64_t index) {
  return action(ScriptAction::Kind::kChange, std::move(control), index);
}
ScriptAction tick(std::string control) {
  return action(ScriptAction::Kind::kChange, std::move(control), int64_t{1});
}
ScriptAction untick(std::string control) {
  return action(ScriptAction::Kind::kChange, std::move(control), int64_t{0});
}
ScriptAction toggle(std::string control) { return action(ScriptAction::Kind::kToggle, std::move(control)); }
ScriptAction setNumber(std::string control, double value) {
  return action(ScriptAction::Kind::kChange, std::move(control), value);
}
ScriptAction pressKey(uint32_t key, uint32_t qualifiers) {
  ScriptAction result = action(ScriptAction::Kind::kKey);
  result.key = key;
  result.qualifiers = qualifiers;
  return result;
}
ScriptAction click(int code, int x, int y, int menuPick) {
  ScriptAction result = action(ScriptAction::Kind::kClick);
  result.code = code;
  result.x = x;
  result.y = y;
  result.menuPick = menuPick;
  return result;
}
ScriptAction ok() { return action(ScriptAction::Kind::kOk); }
ScriptAction cancel() { return action(ScriptAction::Kind::kCancel); }
ScriptAction inspect(std::function<void(const PanelView &)> check) {
  ScriptAction result = action(ScriptAction::Kind::kInspect);
  result.inspect = std::move(check);
  return result;
}
}  // namespace user

std::optional<size_t> findControl(const PanelView &panel, const std::string &address, std::string &error) {
  std::optional<size_t> found;
  int matches = 0;
  for (const ControlView &control : panel.controls) {
    if (!address.empty() && control.label == address) {
      found = control.index;
      ++matches;
    }
  }
  if (matches > 1) {
    error = "control " + quoted(address) + " is ambiguous in panel " + quoted(panel.title) + ": " +
            std::to_string(matches) + " controls carry that label";
    return std::nullopt;
  }
  if (found) return found;
  for (const Role &role : kRoles) {
    if (address == role.name) found = findRole(panel, role);
  }
  if (found) return found;
  // Then without regard to case, when that names one control.
  std::string same;
  for (const ControlView &control : panel.controls) {
    if (address.empty() || !sameIgnoringCase(control.label, address)) continue;
    found = control.index;
    same += (matches++ ? ", " : "") + quoted(control.label);
  }
  for (const Role &role : kRoles) {
    if (!sameIgnoringCase(role.name, address)) continue;
    if (const std::optional<size_t> byRole = findRole(panel, role)) {
      found = byRole;
      same += (matches++ ? ", " : "") + quoted(role.name);
    }
  }
  if (matches > 1) {
    error = "control " + quoted(address) + " is ambiguous in panel " + quoted(panel.title) + ": it matches " +
            same + " when case is ignored; write it as the panel does";
    return std::nullopt;
  }
  if (!found)
    error = "no control " + quoted(address) + " in panel " + quoted(panel.title) + " (" + whatThereIs(panel) +
            ")";
  return found;
}

void ScriptedFrontEnd::setScript(std::vector<ScriptAction> script) {
  script_ = std::move(script);
  next_ = 0;
  panelsShown_ = 0;
  keys_.clear();
  menus_.clear();
  errors_.clear();
}

void ScriptedFrontEnd::run(OpenPanel &panel) {
  ++panelsShown_;
  while (panel.isOpen() && next_ < script_.size()) perform(panel, script_[next_++]);
  if (panel.isOpen()) panel.confirm();  // out of actions: OK
}

void ScriptedFrontEnd::perform(OpenPanel &panel, const ScriptAction &action) {
  using Kind = ScriptAction::Kind;
  switch (action.kind) {
    case Kind::kOk:
      panel.confirm();
      return;
    case Kind::kCancel:
      panel.cancel();
      return;
    case Kind::kInspect:
      if (action.inspect) action.inspect(panel.view());
      return;
    case Kind::kKey:
      keys_.push_back({action.key, action.qualifiers, panel.pressKey(action.key, action.qualifiers)});
      return;
    case Kind::kClick:
      clicking_ = true;
      pick_ = action.menuPick;
      panel.click(action.code, action.x, action.y);
      clicking_ = false;
      pick_.reset();
      return;
    case Kind::kChange:
    case Kind::kToggle:
      break;
  }
  const PanelView view = panel.view();
  std::string error;
  const std::optional<size_t> index = findControl(view, action.control, error);
  if (!index) return fail(action, error);
  ControlValue value = action.value;
  if (action.kind == Kind::kToggle) value = int64_t{view.controls[*index].integer ? 0 : 1};
  error = panel.change(*index, value);
  if (!error.empty()) fail(action, error);
}

int ScriptedFrontEnd::chooseMenuItem(const MenuView &menu) {
  int answer = -1;
  if (!clicking_) {
    errors_.push_back("a menu was shown outside a scripted click");
  } else if (pick_ && *pick_ >= static_cast<int>(menu.items.size())) {
    errors_.push_back("menu pick " + std::to_string(*pick_) + " is beyond the menu's " +
                      std::to_string(menu.items.size()) + " items");
  } else if (pick_ && *pick_ >= 0) {
    answer = *pick_;
  }
  pick_.reset();  // a second menu in the same click is dismissed
  menus_.push_back({menu.items, menu.initial, answer});
  return answer;
}

void ScriptedFrontEnd::fail(const ScriptAction &action, const std::string &why) {
  errors_.push_back("action " + std::to_string(next_) + " (" + action.describe() + "): " + why);
}

}  // namespace layout

// A front-end that plays a list of user actions against the panels a module
// opens: edits, key presses, clicks with menu picks, OK and Cancel, and
// inspections of the panel's state between them.
//
// Actions are carried out in order across panels: one panel takes actions
// until it closes, the next panel goes on with the rest. When the actions run
// out while a panel is still open, the front-end presses OK, so an empty
// script accepts every panel as it opens. Once the module closes the panel
// itself (say from a key), no further action goes to that panel.
//
// Controls are addressed by label; unlabelled ones by role: "name" (the text
// field without a label), "prefix" and "suffix" (the first and second popup
// without a label), "iconPercent" (the percent field without a label).
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "host/panels/front_end.h"

namespace layout {

struct ScriptAction {
  enum class Kind { kChange, kToggle, kKey, kClick, kOk, kCancel, kInspect };

  Kind kind = Kind::kOk;
  std::string control;  // kChange, kToggle: a label or a role
  ControlValue value;   // kChange
  uint32_t key = 0;     // kKey
  uint32_t qualifiers = 0;
  int code = 0, x = 0, y = 0;  // kClick
  int menuPick = -1;           // kClick: the item to pick if a menu shows; -1 dismisses it
  std::function<void(const PanelView &)> inspect;

  // "tick \"after Select\"", for error messages.
  std::string describe() const;
};

// The actions, named as a person does them.
namespace user {
ScriptAction setText(std::string control, std::string text);
ScriptAction choose(std::string control, int64_t index);
ScriptAction tick(std::string control);
ScriptAction untick(std::string control);
ScriptAction toggle(std::string control);
ScriptAction setNumber(std::string control, double value);
ScriptAction pressKey(uint32_t key, uint32_t qualifiers = 0);
ScriptAction click(int code, int x, int y, int menuPick = -1);
ScriptAction ok();
ScriptAction cancel();
ScriptAction inspect(std::function<void(const PanelView &)> check);
}  // namespace user

struct KeyRecord {
  uint32_t key;
  uint32_t qualifiers;
  bool handled;
};

struct MenuRecord {
  std::vector<std::string> items;  // as shown
  int initial;
  int answer;  // what the front-end answered: the pick, or -1
};

// The index of the control a script names, or nullopt with `error` set.
std::optional<size_t> findControl(const PanelView &panel, const std::string &address, std::string &error);

class ScriptedFrontEnd : public FrontEnd {
 public:
  ScriptedFrontEnd() = default;
  explicit ScriptedFrontEnd(std::vector<ScriptAction> script) { setScript(std::move(script)); }

  // Starts over with new actions and empty records.
  void setScript(std::vector<ScriptAction> script);

  void run(OpenPanel &panel) override;
  int chooseMenuItem(const MenuView &menu) override;

  size_t remaining() const { return script_.size() - next_; }
  size_t panelsShown() const { return panelsShown_; }
  const std::vector<KeyRecord> &keys() const { return keys_; }
  const std::vector<MenuRecord> &menus() const { return menus_; }
  // Actions that could not be carried out (unknown control, ghosted control,
  // menu pick out of range, ...); each was skipped.
  const std::vector<std::string> &errors() const { return errors_; }

 private:
  void perform(OpenPanel &panel, const ScriptAction &action);
  void fail(const ScriptAction &action, const std::string &why);

  std::vector<ScriptAction> script_;
  size_t next_ = 0;
  size_t panelsShown_ = 0;
  bool clicking_ = false;
  std::optional<int> pick_;  // the current click's pick, until a menu takes it
  std::vector<KeyRecord> keys_;
  std::vector<MenuRecord> menus_;
  std::vector<std::string> errors_;
};

}  // namespace layout

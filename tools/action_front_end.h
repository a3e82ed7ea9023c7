// The front-end behind layout-sim: it carries out the user's panel actions in
// order in the panel the module opens, as a person would, and then closes the
// panel as asked. The first action that cannot be carried out stops the
// panel with Cancel, so nothing is sent, and is reported with its reason.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "host/panels/front_end.h"
#include "host/panels/panel_view.h"
#include "tools/panel_actions.h"

namespace sim {

// What happens once every action is carried out and the panel is still open.
enum class Finish {
  kConfirm,  // OK, as Layout's panel closes with Enter
  kInspect,  // keep a view of the panel, then Cancel: nothing is sent
};

struct ActionFailure {
  size_t action;  // index into the actions
  std::string message;
};

class ActionFrontEnd : public layout::FrontEnd {
 public:
  // A value the panel corrects is reported on stderr, or with `strict`
  // fails the action.
  ActionFrontEnd(const std::vector<PanelAction> &actions, Finish finish, bool strict = false)
      : actions_(actions), finish_(finish), strict_(strict) {}

  void run(layout::OpenPanel &panel) override;
  int chooseMenuItem(const layout::MenuView &menu) override;

  size_t panelsShown() const { return panelsShown_; }
  // Actions carried out; fewer than given when one failed or the panel
  // closed before the rest could be done.
  size_t carriedOut() const { return next_; }
  // The panel was closed with Cancel (an action, a failure or inspection).
  bool cancelled() const { return cancelled_; }
  // The action whose effect closed the panel (such as the Enter key).
  std::optional<size_t> closedBy() const { return closedBy_; }
  const std::optional<ActionFailure> &failure() const { return failure_; }
  const std::optional<layout::PanelView> &inspected() const { return inspected_; }

 private:
  void perform(layout::OpenPanel &panel, const PanelAction &action);
  void change(layout::OpenPanel &panel, const PanelAction &action);
  void click(layout::OpenPanel &panel, const PanelAction &action);
  void checkCorrection(const layout::ControlView &shown, const layout::ControlValue &set,
                       const PanelAction &action) const;
  int pick(const layout::MenuView &menu, const MenuPick &wanted);
  int menuAt(layout::OpenPanel &panel, const PanelAction &action);

  const std::vector<PanelAction> &actions_;
  Finish finish_;
  bool strict_;
  size_t next_ = 0;
  size_t panelsShown_ = 0;
  bool cancelled_ = false;
  std::optional<size_t> closedBy_;
  std::optional<ActionFailure> failure_;
  std::optional<layout::PanelView> inspected_;
  // During a menu action: the pick, whether a menu showed, and why the pick
  // failed. Menus are answered inside the module's mouse function, where
  // nothing may be thrown.
  const PanelAction *clicking_ = nullptr;
  std::optional<std::string> probed_;  // while looking for a menu by title: the title of the menu shown
  bool menuShown_ = false;
  std::string menuProblem_;
};

}  // namespace sim

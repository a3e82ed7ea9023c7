// What shows a panel to a user and carries out the user's actions. The panel
// engine knows only this interface, so a scripted front-end (tests, batch
// runs) and an interactive one can stand in for each other.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <variant>

#include "host/panels/panel_view.h"

namespace layout {

// A value the user gives a control: text for text fields, an integer for
// popups, choices and check boxes, a number for float and percent fields.
using ControlValue = std::variant<std::string, int64_t, double>;

// The open panel, as a front-end may handle it. Valid only during
// FrontEnd::run; each call runs the module's functions nested inside it.
class OpenPanel {
 public:
  virtual ~OpenPanel() = default;

  // False once OK, Cancel or the module closed the panel.
  virtual bool isOpen() const = 0;
  virtual PanelView view() const = 0;
  // Changes a control as a person would, then calls its event function with
  // its user data. Returns why a person could not make the change (ghosted
  // control, wrong kind of value, index out of range), empty on success.
  virtual std::string change(size_t control, const ControlValue &value) = 0;
  // Delivers a key press to the panel's key function; true when it handled it.
  virtual bool pressKey(uint32_t key, uint32_t qualifiers) = 0;
  // Delivers a mouse click to the panel's mouse function.
  virtual void click(int code, int x, int y) = 0;
  virtual void confirm() = 0;  // OK
  virtual void cancel() = 0;
};

class FrontEnd {
 public:
  virtual ~FrontEnd() = default;

  // Shows the panel and lets the user work with it until it closes. Returning
  // with the panel still open counts as Cancel.
  virtual void run(OpenPanel &panel) = 0;
  // Shows a context menu (during a click); returns the chosen index or -1.
  virtual int chooseMenuItem(const MenuView &menu) = 0;
};

}  // namespace layout

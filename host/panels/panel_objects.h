// The host's side of panels, controls and menus. A module holds only the
// handles; each handle sits at the start of its host object so it maps back,
// and carries a magic word so a stray pointer is recognised. Destroyed
// objects stay allocated, marked dead, until the engine goes, so late use
// can be named instead of crashing.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

#include "host/panels/control_kind.h"
#include "host/panels/panel_view.h"
#include "layout.h"

namespace layout {

class PanelEngine;
struct PanelObject;
struct ControlObject;
struct MenuObject;

inline constexpr uint32_t kControlMagic = 0x4C43544C;  // "LCTL"
inline constexpr uint32_t kPanelMagic = 0x4C50414E;    // "LPAN"
inline constexpr uint32_t kMenuMagic = 0x4C4D4E55;     // "LMNU"

// The module's Control* points here; Control must stay the first member.
struct ControlHandle {
  Control control;
  uint32_t magic;
  ControlObject *object;
};
static_assert(std::is_standard_layout_v<ControlHandle>);

struct PanelHandle {
  uint32_t magic;
  PanelObject *object;
};

struct MenuHandle {
  uint32_t magic;
  MenuObject *object;
};

struct ControlObject {
  ControlHandle handle;
  PanelObject *panel = nullptr;
  size_t index = 0;  // position in the panel
  ControlKind kind = ControlKind::kEdit;
  std::string label;
  ControlDesc descriptor{};
  std::vector<std::string> items;  // popup and choice entries, copied at creation
  std::string text;
  int64_t integer = 0;
  double real = 0;
  std::optional<int> x, y, width;
  bool ghosted = false;
  intptr_t event = 0;  // ControlEventFunc
  intptr_t userData = 0;
  bool dead = false;

  Control *asControl() { return &handle.control; }
  // 'PopupControl "Col"', or 'EditControl #0' without a label.
  std::string describe() const;
  ControlView view() const;
};

struct PanelObject {
  PanelHandle handle{kPanelMagic, this};
  PanelEngine *engine = nullptr;
  std::string title;
  std::optional<int> x, y, width, height;
  PanelPlaceFunc *place = nullptr;
  PanelKeyFunc *key = nullptr;
  PanelMouseFunc *mouse = nullptr;
  void *userData = nullptr;
  std::vector<std::unique_ptr<ControlObject>> controls;
  ControlObject *editing = nullptr;  // the control with the keyboard focus
  bool open = false;
  int openResult = 0;  // set when the panel closes
  bool dead = false;

  Panel *asPanel() { return reinterpret_cast<Panel *>(&handle); }
  std::string describe() const { return "panel \"" + title + "\""; }
  PanelView view() const;
};

struct MenuObject {
  MenuHandle handle{kMenuMagic, this};
  PanelEngine *engine = nullptr;
  MenuDesc descriptor{};
  void *userData = nullptr;
  bool dead = false;

  Menu *asMenu() { return reinterpret_cast<Menu *>(&handle); }
};

}  // namespace layout

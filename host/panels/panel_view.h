// A read-only picture of an open panel, as a front-end shows it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace layout {

struct ControlView {
  size_t index = 0;  // position in the panel, in the order the controls were added
  std::string type;  // "EditControl", "PopupControl", ...
  std::string label;
  std::string text;                // text fields
  int64_t integer = 0;             // popup and choice index, check-box state
  double real = 0;                 // float and percent fields
  std::vector<std::string> items;  // popup and choice entries
  int descriptorWidth = 0;         // from the descriptor: characters for text fields, else pixels
  int descriptorHeight = 0;        // borders
  std::optional<int> x, y, width;  // unset: placed by the host
  bool ghosted = false;
  bool editing = false;  // has the keyboard focus
};

struct PanelView {
  std::string title;
  std::optional<int> x, y, width, height;
  std::vector<ControlView> controls;
};

struct MenuView {
  std::vector<std::string> items;  // as the module names them, formatting codes included
  int initial = 0;                 // the item the module asked to show first
};

}  // namespace layout

// Drawing an open panel as a person would see it, as an SVG picture: every
// control at its pixel position with its label and current value, ghosted
// controls greyed, divider lines, the title bar, and OK and Cancel below.
#pragma once

#include <string>
#include <vector>

namespace layout {

// One control as it appears on screen. Positions are pixels within the panel;
// a negative width means the host's default width for the kind of control.
struct PictureControl {
  std::string typeName;  // "EditControl", "PopupControl", ...
  std::string label;
  int x = 0;
  int y = 0;
  int width = -1;
  bool ghosted = false;
  bool focused = false;            // text fields: has the keyboard focus
  std::string text;                // edit fields: the text
  int index = 0;                   // popups, choices, check boxes
  double number = 0.0;             // float and percent fields
  std::vector<std::string> items;  // popup and choice entries, as the module gave them
  int borderWidth = 0;             // divider lines
  int borderHeight = 0;
  int editWidthChars = 0;  // edit fields: width in characters
  int listWidth = 0;  // popups: the button's width in pixels, without the label; 0 = sized to the entries
};

struct PanelPicture {
  std::string title;
  int width = 0;
  int height = 0;
  std::vector<PictureControl> controls;
  std::string caption;  // shown under the panel's controls, beside OK and Cancel; may be empty
};

// The text a person sees for a list entry: a leading 0x03 and the
// parenthesised formatting code behind it are host formatting, not text.
std::string displayText(const std::string &entry);

// The whole panel as a standalone SVG document.
std::string renderSvg(const PanelPicture &picture);

}  // namespace layout

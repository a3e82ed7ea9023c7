// Drawing an open panel as a person would see it, as an SVG picture.
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
  std::string text;                // edit fields: the text
  int index = 0;                   // popups, choices, check boxes
  double number = 0.0;             // float and percent fields
  std::vector<std::string> items;  // popup and choice entries, as the module gave them
  int borderWidth = 0;             // divider lines
  int editWidthChars = 0;          // edit fields: width in characters
};

struct PanelPicture {
  std::string title;
  int width = 0;
  int height = 0;
  std::vector<PictureControl> controls;
};

// The text a person sees for a list entry: a leading 0x03 and the
// parenthesised formatting code behind it are host formatting, not text.
std::string displayText(const std::string &entry);

// The whole panel as a standalone SVG document.
std::string renderSvg(const PanelPicture &picture);

}  // namespace layout

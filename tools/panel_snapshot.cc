#include "tools/panel_snapshot.h"

#include <algorithm>
#include <cstdio>
#include <utility>
#include <vector>

#include "host/panels/scripted_front_end.h"

namespace sim {
namespace {

// The role an unlabelled control answers to, if any.
std::string roleOf(const layout::PanelView &panel, const layout::ControlView &control) {
  for (const char *role : {"name", "prefix", "suffix", "iconPercent"}) {
    std::string ignored;
    const std::optional<size_t> found = layout::findControl(panel, role, ignored);
    if (found && *found == control.index) return role;
  }
  return {};
}

std::string shownValue(const layout::ControlView &control) {
  char number[64];
  if (control.type == "EditControl") return "\"" + control.text + "\"";
  if (control.type == "BoolControl") return control.integer ? "on" : "off";
  if (control.type == "PopupControl" || control.type == "ChoiceControl") {
    std::string entry = "?";
    if (control.integer >= 0 && control.integer < static_cast<int64_t>(control.items.size())) {
      entry = layout::displayText(control.items[static_cast<size_t>(control.integer)]);
    }
    return std::to_string(control.integer) + " \"" + entry + "\"";
  }
  if (control.type == "FloatControl") {
    std::snprintf(number, sizeof number, "%g", control.real);
    return number;
  }
  if (control.type == "PercentControl") {
    std::snprintf(number, sizeof number, "%g%%", control.real);
    return number;
  }
  return "";
}

std::string optionalNumber(const std::optional<int> &value) { return value ? std::to_string(*value) : "-"; }

}  // namespace

layout::PanelPicture pictureOf(const layout::PanelView &panel, uint32_t build) {
  layout::PanelPicture picture;
  picture.title = panel.title;
  picture.width = panel.width.value_or(0);
  picture.height = panel.height.value_or(0);
  picture.caption = std::to_string(picture.width) + " \xC3\x97 " + std::to_string(picture.height) +
                    " px, host build " + std::to_string(build);
  for (const layout::ControlView &view : panel.controls) {
    layout::PictureControl control;
    control.typeName = view.type;
    control.label = view.label;
    control.x = view.x.value_or(0);
    control.y = view.y.value_or(0);
    control.width = view.width.value_or(-1);
    control.ghosted = view.ghosted;
    control.focused = view.editing;
    control.text = view.text;
    control.index = static_cast<int>(view.integer);
    control.number = view.real;
    control.items = view.items;
    if (view.type == "BorderControl") {
      control.borderWidth = view.descriptorWidth;
      control.borderHeight = view.descriptorHeight;
    }
    if (view.type == "EditControl") control.editWidthChars = view.descriptorWidth;
    if (view.type == "PopupControl") control.listWidth = view.descriptorWidth;
    picture.controls.push_back(std::move(control));
  }
  return picture;
}

std::string describePanel(const layout::PanelView &panel, uint32_t build) {
  std::string out = panel.title + ": " + optionalNumber(panel.width) + " x " + optionalNumber(panel.height) +
                    " pixels, " + std::to_string(panel.controls.size()) + " controls, host build " +
                    std::to_string(build) + "\n";
  char line[512];
  std::snprintf(line, sizeof line, "  %5s %4s %5s  %-15s %-28s %s\n", "left", "top", "width", "kind",
                "control", "shows");
  out += line;
  // As the panel reads: row by row from the top, left to right.
  std::vector<const layout::ControlView *> ordered;
  for (const layout::ControlView &control : panel.controls) ordered.push_back(&control);
  std::stable_sort(
      ordered.begin(), ordered.end(), [](const layout::ControlView *a, const layout::ControlView *b) {
        return std::pair(a->y.value_or(0), a->x.value_or(0)) < std::pair(b->y.value_or(0), b->x.value_or(0));
      });
  for (const layout::ControlView *entry : ordered) {
    const layout::ControlView &control = *entry;
    std::string name = control.label.empty() ? "" : "\"" + control.label + "\"";
    if (name.empty()) {
      const std::string role = roleOf(panel, control);
      name = role.empty() ? "-" : "(" + role + ")";
    }
    std::string shows = shownValue(control);
    if (control.ghosted) shows += shows.empty() ? "ghosted" : ", ghosted";
    std::string width = optionalNumber(control.width);
    if (control.type == "BorderControl") width = std::to_string(control.descriptorWidth);
    std::snprintf(line, sizeof line, "  %5s %4s %5s  %-15s %-28s %s\n", optionalNumber(control.x).c_str(),
                  optionalNumber(control.y).c_str(), width.c_str(), control.type.c_str(), name.c_str(),
                  shows.c_str());
    out += line;
  }
  return out;
}

}  // namespace sim

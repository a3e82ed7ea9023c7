#include "host/panels/panel_objects.h"

namespace layout {

std::string ControlObject::describe() const {
  if (label.empty()) return std::string(controlTypeName(kind)) + " #" + std::to_string(index);
  return std::string(controlTypeName(kind)) + " \"" + label + "\"";
}

ControlView ControlObject::view() const {
  ControlView view;
  view.index = index;
  view.type = controlTypeName(kind);
  view.label = label;
  view.text = text;
  view.integer = integer;
  view.real = real;
  view.items = items;
  switch (descriptor.type) {
    case LAYOUT_DESC_EDIT:
      view.descriptorWidth = descriptor.edit.width;
      break;
    case LAYOUT_DESC_LIST:
      view.descriptorWidth = descriptor.list.width;
      break;
    case LAYOUT_DESC_RANGE:
      view.descriptorWidth = descriptor.range.width;
      break;
    case LAYOUT_DESC_BORDER:
      view.descriptorWidth = descriptor.border.width;
      view.descriptorHeight = descriptor.border.height;
      break;
  }
  view.x = x;
  view.y = y;
  view.width = width;
  view.ghosted = ghosted;
  view.editing = panel && panel->editing == this;
  return view;
}

PanelView PanelObject::view() const {
  PanelView view{title, x, y, width, height, {}};
  for (const auto &control : controls) view.controls.push_back(control->view());
  return view;
}

}  // namespace layout

#include "panels/control_builder.h"

#include <cstring>

namespace mint {
namespace {

// Every word of the descriptor starts at 0, whichever member the type selects.
ControlDesc cleared(int32_t type) {
  ControlDesc desc;
  std::memset(&desc, 0, sizeof desc);
  desc.type = type;
  return desc;
}

}  // namespace

ControlDesc editDesc(int32_t widthChars) {
  ControlDesc desc = cleared(LAYOUT_DESC_EDIT);
  desc.edit.width = widthChars;
  return desc;
}

ControlDesc listDesc(const char *const *items, int32_t widthPixels) {
  ControlDesc desc = cleared(LAYOUT_DESC_LIST);
  // The record's field is not const; the host only reads the list.
  desc.list.items = const_cast<const char **>(items);
  desc.list.width = widthPixels;
  return desc;
}

ControlDesc boolDesc() { return cleared(LAYOUT_DESC_BOOL); }

ControlDesc borderDesc(int32_t width, int32_t height) {
  ControlDesc desc = cleared(LAYOUT_DESC_BORDER);
  desc.border.width = width;
  desc.border.height = height;
  return desc;
}

ControlDesc floatDesc() { return cleared(LAYOUT_DESC_FLOAT); }

// Width 0 leaves the width to the host; the value runs from 0 to 100 percent.
ControlDesc percentDesc() {
  ControlDesc desc = cleared(LAYOUT_DESC_RANGE);
  desc.range.width = 0;
  desc.range.min = 0;
  desc.range.max = 100;
  return desc;
}

bool addControls(PanelServices *services, Panel *panel, ControlEntry *entries, size_t count) {
  for (size_t i = 0; i < count; ++i) {
    ControlEntry &entry = entries[i];
    if (!entry.present) continue;
    // The host copies both texts and never writes to them.
    *entry.field = services->addControl(panel, const_cast<char *>(entry.typeName), &entry.desc,
                                        const_cast<char *>(entry.label));
    if (*entry.field == nullptr) return false;
  }
  return true;
}

}  // namespace mint

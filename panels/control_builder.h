// Control descriptors and a table-driven way to add a panel's controls.
#pragma once

#include <cstddef>
#include <cstdint>

#include "layout.h"

namespace mint {

ControlDesc editDesc(int32_t widthChars);
ControlDesc listDesc(const char *const *items, int32_t widthPixels);
ControlDesc boolDesc();
ControlDesc borderDesc(int32_t width, int32_t height);
ControlDesc floatDesc();
ControlDesc percentDesc();

// One control to add; `present` false skips it (a control of a later host build).
struct ControlEntry {
  bool present;
  Control **field;
  const char *typeName;
  ControlDesc desc;
  const char *label;
};

// Adds the controls in order and stores each handle in its field. Stops and
// returns false at the first control the host fails to create.
bool addControls(PanelServices *services, Panel *panel, ControlEntry *entries, size_t count);

template <size_t N>
bool addControls(PanelServices *services, Panel *panel, ControlEntry (&entries)[N]) {
  return addControls(services, panel, entries, N);
}

}  // namespace mint

// Reading and writing control values through each control's own operations.
// Every helper ignores a NULL control, so a callback that meets a control the
// running panel lacks does nothing instead of calling through NULL.
#pragma once

#include <cstdint>
#include <initializer_list>

#include "layout.h"

namespace mint {

// Integer form: popup indices, check-box states, positions and widths.
int32_t getValue(Control *control);
void setValue(Control *control, int32_t value);
void setTag(Control *control, int tag, int32_t value);

// Pointers travel in the pointer slot of a type-2 value record. User data is
// set through the typed setters of user_data.h, which use setUserPointer.
void setEvent(Control *control, ControlEventFunc *event);
void setUserPointer(Control *control, const void *userData);

// Text form; `length` is the buffer's size, terminator included. The buffer is
// cleared before a get so it holds a string even if the host writes nothing.
void getText(Control *control, char *buffer, int32_t length);
void setText(Control *control, char *buffer, int32_t length);

// Floating form: float and percent controls.
double getFloat(Control *control);
void setFloat(Control *control, double value);

void drawControl(Control *control, int mode);
// Draw mode of a control that is usable only when `usable` holds.
inline int drawModeFor(bool usable) { return usable ? LAYOUT_DRAW_NORMAL : LAYOUT_DRAW_GHOST; }

inline int32_t toggleValue(Control *control) {
  const int32_t value = getValue(control) ^ 1;
  setValue(control, value);
  return value;
}

// One (control, value) pair of a run of settings under the same tag.
struct TagSetting {
  Control *control;
  int32_t value;
};
// Sets the tag on each control in turn, skipping controls the panel lacks.
void setEach(int tag, std::initializer_list<TagSetting> settings);

}  // namespace mint

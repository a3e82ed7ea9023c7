#include "panels/control_values.h"

#include <cstring>

namespace mint {
namespace {

PanelValue integerValue(int32_t value) {
  PanelValue record{};
  record.type = LAYOUT_VALUE_INTEGER;
  record.integer.value = value;
  return record;
}

// Pointers go in a type-2 record too, but in its pointer slot at offset 8.
PanelValue pointerValue(const void *value) {
  PanelValue record{};
  record.type = LAYOUT_VALUE_INTEGER;
  record.pointer.value = const_cast<void *>(value);
  return record;
}

void setRecord(Control *control, int tag, PanelValue record) {
  if (control != nullptr) control->set(control, tag, &record);
}

PanelValue textValue(char *buffer, int32_t length) {
  PanelValue record{};
  record.type = LAYOUT_VALUE_TEXT;
  record.text.buffer = buffer;
  record.text.length = length;
  return record;
}

}  // namespace

int32_t getValue(Control *control) {
  if (control == nullptr) return 0;
  PanelValue record = integerValue(0);
  control->get(control, LAYOUT_CTL_VALUE, &record);
  return record.integer.value;
}

void setValue(Control *control, int32_t value) { setTag(control, LAYOUT_CTL_VALUE, value); }

void setTag(Control *control, int tag, int32_t value) { setRecord(control, tag, integerValue(value)); }

void setEvent(Control *control, ControlEventFunc *event) {
  setRecord(control, LAYOUT_CTL_EVENT, pointerValue(reinterpret_cast<const void *>(event)));
}

void setUserPointer(Control *control, const void *userData) {
  setRecord(control, LAYOUT_CTL_USERDATA, pointerValue(userData));
}

void getText(Control *control, char *buffer, int32_t length) {
  if (length > 0) std::memset(buffer, 0, static_cast<size_t>(length));
  if (control == nullptr) return;
  PanelValue record = textValue(buffer, length);
  control->get(control, LAYOUT_CTL_VALUE, &record);
  // Whatever the host wrote, the buffer ends as a string.
  if (length > 0) buffer[length - 1] = '\0';
}

void setText(Control *control, char *buffer, int32_t length) {
  if (control == nullptr) return;
  PanelValue record = textValue(buffer, length);
  control->set(control, LAYOUT_CTL_VALUE, &record);
}

double getFloat(Control *control) {
  if (control == nullptr) return 0.0;
  PanelValue record{};
  record.type = LAYOUT_VALUE_FLOAT;
  control->get(control, LAYOUT_CTL_VALUE, &record);
  return record.real.value;
}

void setFloat(Control *control, double value) {
  if (control == nullptr) return;
  PanelValue record{};
  record.type = LAYOUT_VALUE_FLOAT;
  record.real.value = value;
  control->set(control, LAYOUT_CTL_VALUE, &record);
}

void drawControl(Control *control, int mode) {
  if (control != nullptr) control->draw(control, mode);
}

void setEach(int tag, std::initializer_list<TagSetting> settings) {
  for (const TagSetting &setting : settings) setTag(setting.control, tag, setting.value);
}

}  // namespace mint

#include "panels/control_values.h"

#include <cstring>

namespace mint {
namespace {

PanelValue integerValue(intptr_t value) {
  PanelValue record{};
  record.type = LAYOUT_VALUE_INTEGER;
  record.integer = value;
  return record;
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
  return static_cast<int32_t>(record.integer);
}

void setValue(Control *control, int32_t value) { setTag(control, LAYOUT_CTL_VALUE, value); }

void setTag(Control *control, uint32_t tag, intptr_t value) {
  if (control == nullptr) return;
  PanelValue record = integerValue(value);
  control->set(control, tag, &record);
}

void setEvent(Control *control, ControlEventFunc *event) {
  setTag(control, LAYOUT_CTL_EVENT, reinterpret_cast<intptr_t>(event));
}

void setUserData(Control *control, const void *userData) {
  setTag(control, LAYOUT_CTL_USERDATA, reinterpret_cast<intptr_t>(userData));
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
  return record.real;
}

void setFloat(Control *control, double value) {
  if (control == nullptr) return;
  PanelValue record{};
  record.type = LAYOUT_VALUE_FLOAT;
  record.real = value;
  control->set(control, LAYOUT_CTL_VALUE, &record);
}

void drawControl(Control *control, int mode) {
  if (control != nullptr) control->draw(control, mode);
}

void setEach(uint32_t tag, std::initializer_list<TagSetting> settings) {
  for (const TagSetting &setting : settings) setTag(setting.control, tag, setting.value);
}

}  // namespace mint

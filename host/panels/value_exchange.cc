#include "host/panels/value_exchange.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace layout {
namespace {

std::string formatReal(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%g", value);
  return text;
}

// A number at the start of a text, as a person types it; 0 when there is none.
double leadingReal(const std::string &text) {
  size_t start = text.find_first_not_of(' ');
  if (start == std::string::npos) return 0;
  if (text[start] == '+') ++start;
  double value = 0;
  std::from_chars(text.data() + start, text.data() + text.size(), value);
  return value;
}

int64_t leadingInteger(const std::string &text) { return std::strtoll(text.c_str(), nullptr, 10); }

std::string noValue(const ControlObject &control) { return control.describe() + " has no value"; }

std::string wrongForm(const ControlObject &control, const char *form) {
  return control.describe() + " has no " + form + " value";
}

std::string unknownForm(const ControlObject &control, int32_t type) {
  return control.describe() + ": value record type " + std::to_string(type) + " is unknown";
}

std::string setIndex(ControlObject &control, int64_t index) {
  if (!indexInRange(control, index)) return control.describe() + ": " + indexRangeProblem(control, index);
  control.integer = control.kind == ControlKind::kBool ? (index != 0) : index;
  return {};
}

}  // namespace

bool indexInRange(const ControlObject &control, int64_t index) {
  if (control.kind == ControlKind::kBool) return true;
  return index >= 0 && index < static_cast<int64_t>(control.items.size());
}

std::string indexRangeProblem(const ControlObject &control, int64_t index) {
  if (control.items.empty()) return "index " + std::to_string(index) + " of a list without entries";
  return "index " + std::to_string(index) + " out of range 0-" + std::to_string(control.items.size() - 1);
}

std::string readControlValue(const ControlObject &control, PanelValue &value) {
  const ValueForm form = valueFormOf(control.kind);
  if (form == ValueForm::kNone) return noValue(control);
  switch (value.type) {
    case LAYOUT_VALUE_TEXT: {
      if (form != ValueForm::kText) return wrongForm(control, "text");
      if (!value.text.buffer || value.text.length <= 0) {
        return control.describe() + ": text read into a buffer of length " +
               std::to_string(value.text.length);
      }
      const size_t count = std::min(control.text.size(), static_cast<size_t>(value.text.length - 1));
      std::memcpy(value.text.buffer, control.text.data(), count);
      value.text.buffer[count] = '\0';
      return {};
    }
    case LAYOUT_VALUE_INTEGER:
      if (form == ValueForm::kText) handOutInteger(value, static_cast<int>(leadingInteger(control.text)));
      if (form == ValueForm::kIndex) handOutInteger(value, static_cast<int>(control.integer));
      if (form == ValueForm::kReal) handOutInteger(value, static_cast<int>(std::llround(control.real)));
      return {};
    case LAYOUT_VALUE_FLOAT:
      if (form == ValueForm::kText) value.real.value = leadingReal(control.text);
      if (form == ValueForm::kIndex) value.real.value = static_cast<double>(control.integer);
      if (form == ValueForm::kReal) value.real.value = control.real;
      return {};
  }
  return unknownForm(control, value.type);
}

std::string writeControlValue(ControlObject &control, const PanelValue &value) {
  const ValueForm form = valueFormOf(control.kind);
  if (form == ValueForm::kNone) return noValue(control);
  switch (value.type) {
    case LAYOUT_VALUE_TEXT:
      if (form != ValueForm::kText) return wrongForm(control, "text");
      if (!value.text.buffer) return control.describe() + ": text set from a NULL buffer";
      control.text = value.text.buffer;
      return {};
    case LAYOUT_VALUE_INTEGER:
      if (form == ValueForm::kText) control.text = std::to_string(value.integer.value);
      if (form == ValueForm::kReal) control.real = static_cast<double>(value.integer.value);
      return form == ValueForm::kIndex ? setIndex(control, value.integer.value) : std::string();
    case LAYOUT_VALUE_FLOAT:
      if (form == ValueForm::kText) control.text = formatReal(value.real.value);
      if (form == ValueForm::kReal) control.real = value.real.value;
      if (form == ValueForm::kIndex) {
        if (!(std::fabs(value.real.value) < 1e9))
          return control.describe() + ": index is not a usable number";
        return setIndex(control, static_cast<int64_t>(value.real.value));
      }
      return {};
  }
  return unknownForm(control, value.type);
}

}  // namespace layout

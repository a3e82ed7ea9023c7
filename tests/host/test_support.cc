#include "tests/host/test_support.h"

namespace layout::testing {
namespace {

ActivationBody *gBody = nullptr;

int runBody(int, GlobalFunc *global, void *local, void *) {
  return (*gBody)(global, static_cast<GenericLocal *>(local));
}

}  // namespace

int activateWith(Host &host, ActivationBody body) {
  ActivationBody *previous = gBody;
  gBody = &body;
  const int result = host.activate(&runBody);
  gBody = previous;
  return result;
}

PanelValue integerValue(intptr_t value) {
  PanelValue record{};
  record.type = LAYOUT_VALUE_INTEGER;
  record.integer = value;
  return record;
}

PanelValue realValue(double value) {
  PanelValue record{};
  record.type = LAYOUT_VALUE_FLOAT;
  record.real = value;
  return record;
}

PanelValue textValue(char *buffer, int32_t length) {
  PanelValue record{};
  record.type = LAYOUT_VALUE_TEXT;
  record.text.buffer = buffer;
  record.text.length = length;
  return record;
}

}  // namespace layout::testing

// Helpers shared by the host tests: running test code as a module's
// activation, and small value-record builders.
#pragma once

#include <functional>
#include <string>

#include "host/host.h"
#include "layout.h"

namespace layout::testing {

using ActivationBody = std::function<int(GlobalFunc *global, GenericLocal *local)>;

// Runs `body` as a LayoutGeneric activation of `host`, through the same
// global look-up and evaluate a module gets.
int activateWith(Host &host, ActivationBody body);

// A service table looked up through `global`, cast to its type.
template <typename Table>
Table *acquire(GlobalFunc *global, const char *name) {
  return static_cast<Table *>(global(name, 0));
}

PanelValue integerValue(int value);
// A pointer in the pointer slot of a type-2 record.
PanelValue pointerValue(const void *value);
// A descriptor of the type with every other field zero.
ControlDesc descriptor(int type);
PanelValue realValue(double value);
PanelValue textValue(char *buffer, int32_t length);

// A new, empty folder in the tests' temporary folder, its name starting with
// `prefix`; throws when none can be made.
std::string newTemporaryFolder(const std::string &prefix);

}  // namespace layout::testing

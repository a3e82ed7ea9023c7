// Reading and writing a control's value (tag 4) through the module's value
// record. The record's form need not match the control: text fields convert
// numbers, float fields answer integer reads rounded, and so on. Each returns
// a description of the misuse it met, empty when the call was sound.
#pragma once

#include <cstdint>
#include <string>

#include "host/panels/panel_objects.h"

namespace layout {

// What the host leaves in the slot of a value record that it does not fill
// when it hands out an integer or a pointer: a module that reads the wrong
// slot gets these instead of zero, and a test sees it.
inline constexpr int kUnusedIntegerSlot = 0x5EB71E15;
inline constexpr uintptr_t kUnusedPointerSlot = 0x5EB71E155EB71E15u;

// Hands out an integer at offset 4, with the pointer slot filled as unused.
inline void handOutInteger(PanelValue &value, int integer) {
  value.pointer.value = reinterpret_cast<void *>(kUnusedPointerSlot);
  value.integer.value = integer;
}

std::string readControlValue(const ControlObject &control, PanelValue &value);
std::string writeControlValue(ControlObject &control, const PanelValue &value);

// Whether `index` is a valid entry of a popup or choice, or a valid state of
// a check box (any integer; non-zero means ticked).
bool indexInRange(const ControlObject &control, int64_t index);
// "index 16 out of range 0-15"
std::string indexRangeProblem(const ControlObject &control, int64_t index);

}  // namespace layout

// The seven kinds of control a module can add to a panel, by type name, with
// the descriptor type each expects and the form its value takes.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace layout {

enum class ControlKind { kEdit, kPopup, kChoice, kBool, kFloat, kPercent, kBorder };

enum class ValueForm {
  kText,   // text fields
  kIndex,  // popups, choices and check boxes: an integer
  kReal,   // float and percent fields: a double
  kNone,   // borders have no value
};

std::optional<ControlKind> controlKindNamed(std::string_view typeName);
const char *controlTypeName(ControlKind kind);
int32_t descriptorTypeOf(ControlKind kind);
ValueForm valueFormOf(ControlKind kind);

}  // namespace layout

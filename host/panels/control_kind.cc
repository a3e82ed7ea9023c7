#include "host/panels/control_kind.h"

#include "layout.h"

namespace layout {
namespace {

struct KindInfo {
  ControlKind kind;
  const char *typeName;
  int32_t descriptorType;
  ValueForm form;
};

constexpr KindInfo kKinds[] = {
    {ControlKind::kEdit, LAYOUT_CONTROL_EDIT, LAYOUT_DESC_EDIT, ValueForm::kText},
    {ControlKind::kPopup, LAYOUT_CONTROL_POPUP, LAYOUT_DESC_LIST, ValueForm::kIndex},
    {ControlKind::kChoice, LAYOUT_CONTROL_CHOICE, LAYOUT_DESC_LIST, ValueForm::kIndex},
    {ControlKind::kBool, LAYOUT_CONTROL_BOOL, LAYOUT_DESC_BOOL, ValueForm::kIndex},
    {ControlKind::kFloat, LAYOUT_CONTROL_FLOAT, LAYOUT_DESC_FLOAT, ValueForm::kReal},
    {ControlKind::kPercent, LAYOUT_CONTROL_PERCENT, LAYOUT_DESC_RANGE, ValueForm::kReal},
    {ControlKind::kBorder, LAYOUT_CONTROL_BORDER, LAYOUT_DESC_BORDER, ValueForm::kNone},
};

const KindInfo &info(ControlKind kind) { return kKinds[static_cast<int>(kind)]; }

}  // namespace

std::optional<ControlKind> controlKindNamed(std::string_view typeName) {
  for (const KindInfo &kind : kKinds) {
    if (typeName == kind.typeName) return kind.kind;
  }
  return std::nullopt;
}

const char *controlTypeName(ControlKind kind) { return info(kind).typeName; }
int32_t descriptorTypeOf(ControlKind kind) { return info(kind).descriptorType; }
ValueForm valueFormOf(ControlKind kind) { return info(kind).form; }

}  // namespace layout

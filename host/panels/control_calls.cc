// The control side of the panel services: adding controls and the draw, get
// and set operations of every control.
#include <string>

#include "host/loader/binding.h"
#include "host/loader/fault_plan.h"
#include "host/loader/host_entry.h"
#include "host/panels/panel_engine.h"
#include "host/panels/value_exchange.h"

namespace layout {
namespace {

// Popup and choice lists longer than this are taken to lack their NULL end.
constexpr size_t kMaxListItems = 4096;

std::string tagText(int tag) { return "tag " + std::to_string(tag); }

// Event functions and user data travel in the record's pointer slot (type 2,
// or the pointer type); positions and widths in its integer slot.
bool pointerTag(int tag) { return tag == LAYOUT_CTL_EVENT || tag == LAYOUT_CTL_USERDATA; }

bool pointerForm(const PanelValue &value) {
  return value.type == LAYOUT_VALUE_INTEGER || value.type == LAYOUT_TYPE_POINTER;
}

}  // namespace

Control *PanelEngine::addControl(Panel *handle, char *typeName, ControlDesc *descriptor, char *label) {
  HostCall call("LWPanelServices.addControl");
  if (call.fails()) return nullptr;
  PanelObject *panel = usablePanel(handle, "LWPanelServices.addControl");
  if (!panel) return nullptr;
  Diagnostics &diagnostics = panel->engine->diagnostics_;
  const std::optional<ControlKind> kind = typeName ? controlKindNamed(typeName) : std::nullopt;
  if (!kind) {
    diagnostics.misuse("LWPanelServices.addControl: unknown control type \"" +
                       std::string(typeName ? typeName : "(null)") + "\"");
    return nullptr;
  }
  if (!descriptor) {
    diagnostics.misuse("LWPanelServices.addControl: " + std::string(typeName) + " without a descriptor");
    return nullptr;
  }
  ControlObject *control = panel->engine->newControl(*panel, *kind, *descriptor, label);
  return control->asControl();
}

ControlObject *PanelEngine::newControl(PanelObject &panel, ControlKind kind, const ControlDesc &descriptor,
                                       const char *label) {
  auto control = std::make_unique<ControlObject>();
  ControlObject &c = *control;
  c.handle = {{guarded<"control.draw", &drawControl>, guarded<"control.get", &getControl>,
               guarded<"control.set", &setControl>, &c},
              kControlMagic,
              &c};
  c.panel = &panel;
  c.index = panel.controls.size();
  c.kind = kind;
  c.label = label ? label : "";
  c.descriptor = descriptor;
  if (descriptor.type != descriptorTypeOf(kind)) {
    diagnostics_.misuse("LWPanelServices.addControl: " + c.describe() + " has descriptor type " +
                        std::to_string(descriptor.type) + ", expected " +
                        std::to_string(descriptorTypeOf(kind)));
  }
  if (kind == ControlKind::kPopup || kind == ControlKind::kChoice) {
    const char *const *items = descriptor.type == LAYOUT_DESC_LIST ? descriptor.list.items : nullptr;
    if (!items) diagnostics_.misuse("LWPanelServices.addControl: " + c.describe() + " has no item list");
    for (; items && *items; ++items) {
      if (c.items.size() == kMaxListItems) {
        diagnostics_.misuse("LWPanelServices.addControl: item list of " + c.describe() + " has no end");
        break;
      }
      c.items.emplace_back(*items);
    }
  }
  panel.controls.push_back(std::move(control));
  return &c;
}

ControlObject *PanelEngine::usableControl(Control *control, const char *call) {
  auto *handle = reinterpret_cast<ControlHandle *>(control);
  if (!handle || handle->magic != kControlMagic) {
    anyDiagnostics().misuse(std::string(call) + ": not a control of this host");
    return nullptr;
  }
  ControlObject *object = handle->object;
  PanelEngine *engine = object->panel->engine;
  if (!engine->checkActive(call)) return nullptr;
  if (handle->control.host != object) {
    engine->diagnostics_.misuse(std::string(call) + ": " + object->describe() +
                                ": host-private field changed");
    handle->control.host = object;
  }
  if (object->dead) {
    engine->diagnostics_.misuse(std::string(call) + ": " + object->describe() + " of destroyed " +
                                object->panel->describe() + " used");
    return nullptr;
  }
  return object;
}

void PanelEngine::drawControl(Control *handle, int mode) {
  HostCall call("Control.draw", false);
  ControlObject *control = usableControl(handle, "Control.draw");
  if (!control) return;
  if (mode != LAYOUT_DRAW_NORMAL && mode != LAYOUT_DRAW_GHOST) {
    control->panel->engine->diagnostics_.misuse("Control.draw: " + control->describe() +
                                                ": unknown draw mode " + std::to_string(mode));
    return;
  }
  control->ghosted = mode == LAYOUT_DRAW_GHOST;
}

void PanelEngine::getControl(Control *handle, int tag, PanelValue *value) {
  HostCall call("Control.get", false);
  ControlObject *control = usableControl(handle, "Control.get");
  if (!control) return;
  Diagnostics &diagnostics = control->panel->engine->diagnostics_;
  const std::string where = "Control.get: " + control->describe() + ": ";
  if (!value) return diagnostics.misuse(where + "NULL value record");
  if (tag == LAYOUT_CTL_VALUE) {
    const std::string problem = readControlValue(*control, *value);
    if (!problem.empty()) diagnostics.misuse("Control.get: " + problem);
    return;
  }
  if (pointerTag(tag)) {
    if (!pointerForm(*value)) return diagnostics.misuse(where + tagText(tag) + " needs the pointer form");
    value->integer.value = kUnusedIntegerSlot;
    value->pointer.value =
        reinterpret_cast<void *>(tag == LAYOUT_CTL_EVENT ? control->event : control->userData);
    return;
  }
  if (value->type != LAYOUT_VALUE_INTEGER)
    return diagnostics.misuse(where + tagText(tag) + " needs the integer form");
  switch (tag) {
    case LAYOUT_CTL_X:
      handOutInteger(*value, control->x.value_or(0));
      return;
    case LAYOUT_CTL_Y:
      handOutInteger(*value, control->y.value_or(0));
      return;
    case LAYOUT_CTL_W:
      handOutInteger(*value, control->width.value_or(0));
      return;
    default:
      diagnostics.misuse(where + "unknown " + tagText(tag) + " for get");
  }
}

void PanelEngine::setControl(Control *handle, int tag, PanelValue *value) {
  HostCall call("Control.set", false);
  ControlObject *control = usableControl(handle, "Control.set");
  if (!control) return;
  PanelObject &panel = *control->panel;
  Diagnostics &diagnostics = panel.engine->diagnostics_;
  const std::string where = "Control.set: " + control->describe() + ": ";
  if (!value) return diagnostics.misuse(where + "NULL value record");
  if (tag == LAYOUT_CTL_VALUE) {
    const std::string problem = writeControlValue(*control, *value);
    if (!problem.empty()) diagnostics.misuse("Control.set: " + problem);
    return;
  }
  if (pointerTag(tag)) {
    if (!pointerForm(*value)) return diagnostics.misuse(where + tagText(tag) + " needs the pointer form");
    const auto pointer = reinterpret_cast<intptr_t>(value->pointer.value);
    (tag == LAYOUT_CTL_EVENT ? control->event : control->userData) = pointer;
    return;
  }
  if (value->type != LAYOUT_VALUE_INTEGER)
    return diagnostics.misuse(where + tagText(tag) + " needs the integer form");
  const int integer = value->integer.value;
  switch (tag) {
    case LAYOUT_CTL_X:
      control->x = integer;
      return;
    case LAYOUT_CTL_Y:
      control->y = integer;
      return;
    case LAYOUT_CTL_W:
      control->width = integer;
      return;
    case LAYOUT_CTL_ACTIVATE:
      if (control->kind != ControlKind::kEdit) {
        return diagnostics.misuse(where + "only text fields can be put into editing");
      }
      panel.editing = control;
      return;
    default:
      diagnostics.misuse(where + "unknown " + tagText(tag) + " for set");
  }
}

}  // namespace layout

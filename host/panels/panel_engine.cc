#include "host/panels/panel_engine.h"

#include "host/loader/binding.h"
#include "host/loader/fault_plan.h"
#include "host/loader/host_entry.h"
#include "host/loader/refused_call.h"
#include "host/panels/value_exchange.h"

namespace layout {
namespace {

template <CallName Name, typename Result, typename... Args>
Result refused(Args... args) {
  return refusedCall<Name, PanelEngine::anyDiagnostics, Result, Args...>(args...);
}

}  // namespace

// --- The open panel as the front-end handles it.

class PanelEngine::Session : public OpenPanel {
 public:
  Session(PanelEngine &engine, PanelObject &panel) : engine_(engine), panel_(panel) {}

  bool isOpen() const override { return panel_.open; }
  PanelView view() const override { return panel_.view(); }

  std::string change(size_t index, const ControlValue &value) override {
    if (!panel_.open) return "the panel is closed";
    if (index >= panel_.controls.size()) return "no control #" + std::to_string(index);
    ControlObject &control = *panel_.controls[index];
    if (control.ghosted) return control.describe() + " is ghosted";
    const std::string problem = apply(control, value);
    if (!problem.empty()) return problem;
    if (control.kind == ControlKind::kEdit) panel_.editing = &control;
    if (control.event) {
      ModuleCall call;
      reinterpret_cast<ControlEventFunc *>(control.event)(control.asControl(),
                                                          reinterpret_cast<void *>(control.userData));
    }
    return {};
  }

  bool pressKey(uint32_t key, uint32_t qualifiers) override {
    if (!panel_.open || !panel_.key) return false;
    const uint32_t previous = engine_.keyQualifiers_;
    engine_.keyQualifiers_ = qualifiers;
    bool handled = false;
    {
      ModuleCall call;
      handled = panel_.key(panel_.asPanel(), panel_.userData, static_cast<unsigned short>(key)) != 0;
    }
    engine_.keyQualifiers_ = previous;
    return handled;
  }

  void click(int code, int x, int y) override {
    if (!panel_.open || !panel_.mouse) return;
    ModuleCall call;
    panel_.mouse(panel_.asPanel(), panel_.userData, code, x, y);
  }

  void confirm() override { closeWith(1); }
  void cancel() override { closeWith(0); }

 private:
  // What a person can enter into each kind of control.
  static std::string apply(ControlObject &control, const ControlValue &value) {
    const ValueForm form = valueFormOf(control.kind);
    if (form == ValueForm::kText && std::holds_alternative<std::string>(value)) {
      control.text = std::get<std::string>(value);
      return {};
    }
    if (form == ValueForm::kIndex && std::holds_alternative<int64_t>(value)) {
      const int64_t index = std::get<int64_t>(value);
      if (control.kind == ControlKind::kBool && index != 0 && index != 1) {
        return control.describe() + ": a check box is 0 or 1, not " + std::to_string(index);
      }
      if (!indexInRange(control, index)) return control.describe() + ": " + indexRangeProblem(control, index);
      control.integer = index;
      return {};
    }
    if (form == ValueForm::kReal && !std::holds_alternative<std::string>(value)) {
      control.real = std::holds_alternative<double>(value) ? std::get<double>(value)
                                                           : static_cast<double>(std::get<int64_t>(value));
      return {};
    }
    return control.describe() + " does not take that kind of value";
  }

  void closeWith(int result) {
    if (!panel_.open) return;
    panel_.open = false;
    panel_.openResult = result;
  }

  PanelEngine &engine_;
  PanelObject &panel_;
};

// --- Engine.

PanelEngine::PanelEngine(Diagnostics &diagnostics)
    : diagnostics_(diagnostics),
      // The whole record; a module may use neither the event loop nor the
      // drawing functions of a modal panel.
      panelServices_{guarded<"LWPanelServices.create", &createPanel>,
                     guarded<"LWPanelServices.destroy", &destroyPanel>,
                     guarded<"LWPanelServices.open", &openPanel>,
                     refused<"LWPanelServices.handle">,
                     refused<"LWPanelServices.draw">,
                     guarded<"LWPanelServices.close", &closePanel>,
                     guarded<"LWPanelServices.get", &getPanel>,
                     guarded<"LWPanelServices.set", &setPanel>,
                     guarded<"LWPanelServices.addControl", &addControl>,
                     refused<"LWPanelServices.nextControl">,
                     nullptr,
                     nullptr,
                     nullptr},
      menuServices_{guarded<"ContextMenuServices.create", &createMenu>,
                    guarded<"ContextMenuServices.deploy", &deployMenu>,
                    guarded<"ContextMenuServices.destroy", &destroyMenu>} {}

PanelEngine::~PanelEngine() { Binding<PanelEngine>::forget(*this); }

void PanelEngine::endActivation() {
  for (auto &panel : panels_) {
    if (panel->dead) continue;
    diagnostics_.misuse(panel->describe() + " was not destroyed before the activation returned");
    panel->dead = true;
    for (auto &control : panel->controls) control->dead = true;
  }
  for (auto &menu : menus_) {
    if (menu->dead) continue;
    diagnostics_.misuse("a context menu was not destroyed before the activation returned");
    menu->dead = true;
  }
}

Diagnostics &PanelEngine::anyDiagnostics() {
  if (PanelEngine *engine = Binding<PanelEngine>::active()) return engine->diagnostics_;
  if (PanelEngine *engine = Binding<PanelEngine>::last()) return engine->diagnostics_;
  return unboundDiagnostics();
}

bool PanelEngine::checkActive(const char *call) {
  if (Binding<PanelEngine>::active() == this) return true;
  diagnostics_.misuse(std::string(call) + " called while no activation runs");
  return false;
}

PanelEngine *PanelEngine::activeEngine(const char *call) {
  if (PanelEngine *engine = Binding<PanelEngine>::active()) return engine;
  anyDiagnostics().misuse(std::string(call) + " called while no activation runs");
  return nullptr;
}

PanelObject *PanelEngine::usablePanel(Panel *panel, const char *call) {
  const auto *handle = reinterpret_cast<const PanelHandle *>(panel);
  if (!handle || handle->magic != kPanelMagic) {
    anyDiagnostics().misuse(std::string(call) + ": not a panel of this host");
    return nullptr;
  }
  PanelObject *object = handle->object;
  if (!object->engine->checkActive(call)) return nullptr;
  if (object->dead) {
    object->engine->diagnostics_.misuse(std::string(call) + ": " + object->describe() +
                                        " used after it was destroyed");
    return nullptr;
  }
  return object;
}

// --- Panel services.

Panel *PanelEngine::createPanel(char *title, void *reserved) {
  HostCall call("LWPanelServices.create");
  if (call.fails()) return nullptr;
  PanelEngine *engine = activeEngine("LWPanelServices.create");
  if (!engine) return nullptr;
  if (reserved) engine->diagnostics_.misuse("LWPanelServices.create: second argument must be NULL");
  if (!title) engine->diagnostics_.misuse("LWPanelServices.create: NULL title");
  auto panel = std::make_unique<PanelObject>();
  panel->engine = engine;
  panel->title = title ? title : "";
  engine->panels_.push_back(std::move(panel));
  return engine->panels_.back()->asPanel();
}

void PanelEngine::destroyPanel(Panel *handle) {
  HostCall call("LWPanelServices.destroy", false);
  PanelObject *panel = usablePanel(handle, "LWPanelServices.destroy");
  if (!panel) return;
  if (panel->open) {
    panel->engine->diagnostics_.misuse("LWPanelServices.destroy: " + panel->describe() + " is still open");
    return;
  }
  panel->dead = true;
  panel->editing = nullptr;
  for (auto &control : panel->controls) control->dead = true;
}

int PanelEngine::openPanel(Panel *handle, int flags) {
  HostCall call("LWPanelServices.open");
  if (call.fails()) return 0;
  PanelObject *panel = usablePanel(handle, "LWPanelServices.open");
  return panel ? panel->engine->open(*panel, flags) : 0;
}

int PanelEngine::open(PanelObject &panel, int flags) {
  if (panel.open) {
    diagnostics_.misuse("LWPanelServices.open: " + panel.describe() + " is already open");
    return 0;
  }
  lastOpenFlags_ = flags;
  panel.open = true;
  panel.openResult = 0;
  if (panel.place) {
    ModuleCall call;
    panel.place(panel.asPanel(), panel.userData);
  }
  if (panel.open && frontEnd_) {
    Session session(*this, panel);
    try {
      frontEnd_->run(session);
    } catch (...) {
      // A failure while the panel is shown closes it with Cancel, so the
      // module is answered as for any closed panel and can destroy it.
      panel.open = false;
      panel.openResult = 0;
      panel.editing = nullptr;
      throw;
    }
  }
  if (panel.open) {  // the front-end left it open, or there is none: Cancel
    panel.open = false;
    panel.openResult = 0;
  }
  panel.editing = nullptr;
  return panel.openResult;
}

void PanelEngine::closePanel(Panel *handle) {
  HostCall call("LWPanelServices.close", false);
  PanelObject *panel = usablePanel(handle, "LWPanelServices.close");
  if (!panel) return;
  if (!panel->open) {
    panel->engine->diagnostics_.misuse("LWPanelServices.close: " + panel->describe() + " is not open");
    return;
  }
  panel->open = false;
  panel->openResult = 1;
}

void PanelEngine::setPanel(Panel *handle, int tag, void *value) {
  HostCall call("LWPanelServices.set", false);
  PanelObject *panel = usablePanel(handle, "LWPanelServices.set");
  if (!panel) return;
  Diagnostics &diagnostics = panel->engine->diagnostics_;
  std::optional<int> *edge = nullptr;
  switch (tag) {
    case LAYOUT_PAN_X:
      edge = &panel->x;
      break;
    case LAYOUT_PAN_Y:
      edge = &panel->y;
      break;
    case LAYOUT_PAN_W:
      edge = &panel->width;
      break;
    case LAYOUT_PAN_H:
      edge = &panel->height;
      break;
    case LAYOUT_PAN_PLACE:
      panel->place = reinterpret_cast<PanelPlaceFunc *>(value);
      return;
    case LAYOUT_PAN_USERDATA:
      panel->userData = value;
      return;
    case LAYOUT_PAN_KEY:
      panel->key = reinterpret_cast<PanelKeyFunc *>(value);
      return;
    case LAYOUT_PAN_MOUSE:
      panel->mouse = reinterpret_cast<PanelMouseFunc *>(value);
      return;
    default:
      diagnostics.misuse("LWPanelServices.set: unknown panel tag " + std::to_string(tag));
      return;
  }
  if (!value) {
    diagnostics.misuse("LWPanelServices.set: tag " + std::to_string(tag) + " needs a pointer to an int");
    return;
  }
  *edge = *static_cast<const int *>(value);
}

void PanelEngine::getPanel(Panel *handle, int tag, void *value) {
  HostCall call("LWPanelServices.get", false);
  PanelObject *panel = usablePanel(handle, "LWPanelServices.get");
  if (!panel) return;
  Diagnostics &diagnostics = panel->engine->diagnostics_;
  if ((tag < LAYOUT_PAN_X || tag > LAYOUT_PAN_H) && tag != LAYOUT_PAN_QUALIFIERS) {
    diagnostics.misuse("LWPanelServices.get: unknown panel tag " + std::to_string(tag));
    return;
  }
  if (!value) {
    diagnostics.misuse("LWPanelServices.get: tag " + std::to_string(tag) + " needs a pointer to an int");
    return;
  }
  int *out = static_cast<int *>(value);
  switch (tag) {
    case LAYOUT_PAN_X:
      *out = panel->x.value_or(0);
      break;
    case LAYOUT_PAN_Y:
      *out = panel->y.value_or(0);
      break;
    case LAYOUT_PAN_W:
      *out = panel->width.value_or(0);
      break;
    case LAYOUT_PAN_H:
      *out = panel->height.value_or(0);
      break;
    default:
      *out = static_cast<int>(panel->engine->keyQualifiers_);
      break;
  }
}

}  // namespace layout

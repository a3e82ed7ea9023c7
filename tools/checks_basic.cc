// Levels 1 to 4: loading, cancelling, the panel on its defaults and the
// choices a module remembers between runs.
#include <set>

#include "tools/validation.h"
#include "tools/validation_probe.h"

namespace sim {
namespace {

// A control's value as text, for comparing and for messages.
std::string valueOf(const layout::ControlView &control) {
  if (control.type == LAYOUT_CONTROL_EDIT) return "\"" + control.text + "\"";
  if (control.type == LAYOUT_CONTROL_FLOAT || control.type == LAYOUT_CONTROL_PERCENT) {
    return std::to_string(control.real);
  }
  return std::to_string(control.integer);
}

std::string nameOf(const layout::ControlView &control) {
  return control.label.empty() ? control.type + " #" + std::to_string(control.index)
                               : "\"" + control.label + "\"";
}

// Another value a person could give the control, if it takes one.
std::optional<layout::ControlValue> otherValue(const layout::ControlView &control) {
  if (control.ghosted) return std::nullopt;
  if (control.type == LAYOUT_CONTROL_EDIT)
    return layout::ControlValue{"Check" + std::to_string(control.index)};
  if (control.type == LAYOUT_CONTROL_BOOL) return layout::ControlValue{int64_t{control.integer ? 0 : 1}};
  if ((control.type == LAYOUT_CONTROL_POPUP || control.type == LAYOUT_CONTROL_CHOICE) &&
      control.items.size() > 1) {
    return layout::ControlValue{static_cast<int64_t>(control.integer == 0 ? control.items.size() - 1 : 0)};
  }
  return std::nullopt;
}

}  // namespace

void checkLoad(CheckContext &context) {
  for (int round = 0; round < 2; ++round) {
    Probe probe(context);
    if (!probe.ok()) return;
    const layout::LoadedModule &module = *probe.host().module();
    if (module.servers().empty()) context.fail("the server table is empty");
    std::set<std::string> names;
    for (const layout::ServerInfo &server : module.servers()) {
      if (server.name.empty()) context.fail("a server has an empty name");
      if (!names.insert(server.name).second) context.fail("server \"" + server.name + "\" is listed twice");
      if (server.className != LAYOUT_CLASS_GENERIC) {
        context.fail("server \"" + server.name + "\" has class \"" + server.className +
                     "\", which this host does not run");
      }
      for (const auto &[text, tag] : server.tags) {
        if (text.empty()) context.fail("server \"" + server.name + "\" has a tag with an empty text");
      }
    }
    probe.host().unloadModule();
    for (const std::string &message : probe.host().diagnostics().messages()) {
      context.fail("misuse while unloading: " + message);
    }
  }
}

void checkCancel(CheckContext &context) {
  Probe probe(context);
  if (!probe.ok()) return;
  probe.frontEnd().onPanel = [](layout::OpenPanel &panel) { panel.cancel(); };
  size_t runs = 0;
  for (const std::string &server : probe.servers()) {
    for (const uint32_t build : kBehaviourBuilds) {
      probe.resetScene(build);
      const ProbeRun run = probe.run(server, at(server, build) + ", cancelled");
      ++runs;
      expectSound(context, run);
      if (run.result != LAYOUT_AF_OK)
        context.fail(run.what + ": result " + std::to_string(run.result) + ", expected 0");
      if (!run.commands.empty()) {
        context.fail(run.what + ": sent " + std::to_string(run.commands.size()) + " commands, the first \"" +
                     run.commands.front() + "\"");
      }
    }
  }
  context.figure("runs", runs);
}

void checkPanelDefaults(CheckContext &context) {
  Probe probe(context);
  if (!probe.ok()) return;
  size_t controls = 0;
  std::string where;
  probe.frontEnd().onPanel = [&](layout::OpenPanel &panel) {
    const layout::PanelView view = panel.view();
    if (view.controls.empty()) context.fail(where + ": the panel has no controls");
    for (const layout::ControlView &control : view.controls) {
      ++controls;
      if (control.type.empty())
        context.fail(where + ": control #" + std::to_string(control.index) + " has no type");
    }
    // Reading the panel again must show the same values: reading has no effect.
    const layout::PanelView again = panel.view();
    for (size_t i = 0; i < view.controls.size() && i < again.controls.size(); ++i) {
      if (valueOf(view.controls[i]) != valueOf(again.controls[i])) {
        context.fail(where + ": control " + nameOf(view.controls[i]) + " read " + valueOf(view.controls[i]) +
                     ", then " + valueOf(again.controls[i]));
      }
    }
    panel.confirm();
  };
  for (const std::string &server : probe.servers()) {
    for (const uint32_t build : kBehaviourBuilds) {
      probe.resetScene(build);
      where = at(server, build);
      expectSound(context, probe.run(server, where + ", OK on defaults"));
    }
  }
  context.figure("controls read", controls);
}

void checkRememberedChoices(CheckContext &context) {
  for (const std::string &server : Probe(context).servers()) {
    std::vector<layout::ControlView> defaults, chosen, reopened, afterUnload;
    {
      Probe probe(context);
      probe.frontEnd().onPanel = [&](layout::OpenPanel &panel) {
        defaults = panel.view().controls;
        for (const layout::ControlView &control : defaults) {
          if (const std::optional<layout::ControlValue> value = otherValue(control)) {
            panel.change(control.index, *value);
          }
        }
        chosen = panel.view().controls;
        panel.confirm();
      };
      expectSound(context, probe.run(server, server + ", choices made"));
      probe.resetScene(layout::kDefaultHostBuild);
      probe.frontEnd().onPanel = [&](layout::OpenPanel &panel) {
        reopened = panel.view().controls;
        panel.cancel();
      };
      expectSound(context, probe.run(server, server + ", reopened"));
    }
    {
      // A new host loads the module afresh: the first one unloaded it.
      Probe probe(context);
      probe.frontEnd().onPanel = [&](layout::OpenPanel &panel) {
        afterUnload = panel.view().controls;
        panel.cancel();
      };
      expectSound(context, probe.run(server, server + ", after a reload"));
    }
    if (defaults.empty()) continue;
    if (reopened.size() != defaults.size() || afterUnload.size() != defaults.size()) {
      context.fail(server + ": the panel has " + std::to_string(defaults.size()) + " controls first, then " +
                   std::to_string(reopened.size()) + " reopened and " + std::to_string(afterUnload.size()) +
                   " after a reload");
      continue;
    }
    for (size_t i = 0; i < defaults.size(); ++i) {
      const std::string name = server + ": control " + nameOf(defaults[i]);
      const std::string value = valueOf(reopened[i]);
      if (value != valueOf(chosen[i]) && value != valueOf(defaults[i])) {
        context.fail(name + " shows " + value + " when reopened; it was set to " + valueOf(chosen[i]) +
                     " (default " + valueOf(defaults[i]) + ")");
      }
      if (valueOf(afterUnload[i]) != valueOf(defaults[i])) {
        context.fail(name + " shows " + valueOf(afterUnload[i]) +
                     " after the module was unloaded; default is " + valueOf(defaults[i]));
      }
    }
  }
}

}  // namespace sim

// The substitute Layout host: a scene, the command interpreter behind the
// generic's evaluate, the global services, the panel engine with its
// front-end, and the loaded module. It activates servers the way Layout does
// and keeps the records a caller checks afterwards: the command log, the
// rejections, the global look-ups and the module's misuse.
//
//   layout::Host host;
//   if (auto error = host.loadModule("mint.so")) { ... error->message ... }
//   host.scene().select(host.scene().addObject("Cube"));
//   host.setScript({layout::user::setText("Num", "3"), layout::user::ok()});
//   std::optional<int> result = host.activate("Mint_Pivots");
//   host.commandLog().texts();  // what the module sent
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "host/commands/command_interpreter.h"
#include "host/loader/diagnostics.h"
#include "host/loader/module_loader.h"
#include "host/panels/panel_engine.h"
#include "host/panels/scripted_front_end.h"
#include "host/scene/interface_state.h"
#include "host/scene/scene.h"
#include "host/services/services.h"
#include "layout.h"

namespace layout {

// The version argument of an activation; the module ignores it.
inline constexpr int kActivationVersion = 1;

class Host {
 public:
  // Also puts the process-wide desktop back to its default size.
  Host();
  ~Host();
  Host(const Host &) = delete;
  Host &operator=(const Host &) = delete;

  // Loads a module in place of any loaded before; nullopt on success.
  std::optional<LoadError> loadModule(const std::string &path);
  void unloadModule() { module_.reset(); }
  const LoadedModule *module() const { return module_.get(); }

  // Runs a server of the loaded module and returns its result; nullopt when
  // no module is loaded or it has no server of that name.
  std::optional<int> activate(std::string_view serverName);
  // Runs any activation function as a LayoutGeneric server. Not re-entrant.
  int activate(ActivateFunc *activation, void *serverData = nullptr);

  // What the module is told.
  void setBuild(uint32_t build) { services_.setBuild(build); }
  uint32_t build() const { return services_.build(); }
  void setDynamicUpdate(int setting) { state_.dynamicUpdate = setting; }
  void setDesktopSize(int32_t width, int32_t height);
  void setServiceEnabled(Service service, bool enabled) { services_.setEnabled(service, enabled); }

  // Panels go to the built-in scripted front-end unless another is set (not
  // owned; null returns to the built-in one).
  void setFrontEnd(FrontEnd *frontEnd);
  void setScript(std::vector<ScriptAction> script) { scriptedFrontEnd_.setScript(std::move(script)); }
  ScriptedFrontEnd &scriptedFrontEnd() { return scriptedFrontEnd_; }

  Scene &scene() { return scene_; }
  const Scene &scene() const { return scene_; }
  InterfaceState &interfaceState() { return state_; }
  const InterfaceState &interfaceState() const { return state_; }
  CommandInterpreter &commands() { return commands_; }
  Services &services() { return services_; }
  PanelEngine &panels() { return panels_; }
  Diagnostics &diagnostics() { return diagnostics_; }

  const CommandLog &commandLog() const { return commands_.log(); }
  const std::vector<Rejection> &rejections() const { return commands_.rejections(); }
  const std::vector<std::string> &lookups() const { return services_.lookups(); }

 private:
  // The generic's evaluate: data is the host's interpreter.
  static int evaluate(void *data, const char *command);

  Diagnostics diagnostics_;
  InterfaceState state_;
  Scene scene_;
  CommandInterpreter commands_{scene_, state_};
  PanelEngine panels_{diagnostics_};
  Services services_{scene_, state_, diagnostics_, panels_.panelServices(), panels_.menuServices()};
  ScriptedFrontEnd scriptedFrontEnd_;
  // Host failures counted when the running activation began: once one more
  // is counted, the activation's later commands are refused.
  size_t failuresAtActivation_ = 0;
  // Last, so the module shuts down before the rest goes.
  std::unique_ptr<LoadedModule> module_;
};

}  // namespace layout

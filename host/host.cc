#include "host/host.h"

#include "host/loader/binding.h"
#include "host/loader/fault_plan.h"
#include "host/loader/host_entry.h"
#include "host/loader/refused_call.h"
#include "host/services/desktop.h"

namespace layout {
namespace {

Diagnostics &hostDiagnostics() {
  if (Host *host = Binding<Host>::active()) return host->diagnostics();
  if (Host *host = Binding<Host>::last()) return host->diagnostics();
  return unboundDiagnostics();
}

template <CallName Name, typename Result, typename... Args>
Result refused(Args... args) {
  return refusedCall<Name, hostDiagnostics, Result, Args...>(args...);
}

}  // namespace

Host::Host() {
  scene_.setSelectionObserver([this](size_t firstChanged, std::optional<RetiredSelection> retired) {
    services_.selectionChanged(firstChanged, std::move(retired));
  });
  panels_.setFrontEnd(&scriptedFrontEnd_);
  layout::setDesktopSize(LAYOUT_DEFAULT_DESKTOP_WIDTH, LAYOUT_DEFAULT_DESKTOP_HEIGHT);
}

Host::~Host() {
  module_.reset();
  Binding<Host>::forget(*this);
}

std::optional<LoadError> Host::loadModule(const std::string &path) {
  module_.reset();
  ModuleLoad load = layout::loadModule(path);
  if (!load) return load.error;
  module_ = std::move(load.module);
  return std::nullopt;
}

std::optional<int> Host::activate(std::string_view serverName) {
  const ServerInfo *server = module_ ? module_->findServer(serverName) : nullptr;
  if (!server) return std::nullopt;
  return activate(server->activate, module_->startupResult());
}

int Host::activate(ActivateFunc *activation, void *serverData) {
  // The whole record, as Layout hands it; the module may only evaluate.
  GenericLocal local{refused<"GenericLocal.saveScene">,
                     refused<"GenericLocal.loadScene">,
                     &commands_,
                     refused<"GenericLocal.lookup">,
                     refused<"GenericLocal.execute">,
                     guarded<"evaluate", &Host::evaluate>};
  Binding<Host>::Scope hostScope(*this);
  Binding<Services>::Scope servicesScope(services_);
  Binding<PanelEngine>::Scope panelScope(panels_);
  failuresAtActivation_ = diagnostics_.hostFailureCount();
  faultPlan().setModuleRunning(true);
  const int result =
      activation(kActivationVersion, guarded<"global look-up", &Services::globalLookup>, &local, serverData);
  faultPlan().setModuleRunning(false);
  panels_.endActivation();
  services_.endActivation();
  return result;
}

void Host::setDesktopSize(int32_t width, int32_t height) { layout::setDesktopSize(width, height); }

void Host::setFrontEnd(FrontEnd *frontEnd) { panels_.setFrontEnd(frontEnd ? frontEnd : &scriptedFrontEnd_); }

int Host::evaluate(void *data, const char *command) {
  HostCall call("evaluate");
  if (call.fails()) return 0;
  faultPlan().commandSent();
  Host *host = Binding<Host>::active();
  if (!host) {
    Host *last = Binding<Host>::last();
    (last ? last->diagnostics_ : unboundDiagnostics()).misuse("evaluate called while no activation runs");
    return 0;
  }
  if (data != &host->commands_) {
    host->diagnostics_.misuse("evaluate called with a data pointer that is not the host's");
    return 0;
  }
  if (!command) {
    host->diagnostics_.misuse("evaluate called with a NULL command text");
    return 0;
  }
  // After a failure of its own the host carries out no more of the run, so
  // the run stops where the failure is reported instead of going on half done.
  if (host->diagnostics_.hostFailureCount() > host->failuresAtActivation_) {
    return host->commands_.refuse(command, "not carried out: the host failed earlier in this run");
  }
  return host->commands_.evaluate(command);
}

}  // namespace layout

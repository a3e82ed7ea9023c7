#include "tools/validation_probe.h"

#include "host/loader/fault_plan.h"
#include "host/scene_files/scene_file.h"
#include "tools/simulator.h"

namespace sim {

void ProbeFrontEnd::run(layout::OpenPanel &panel) {
  if (onPanel) {
    onPanel(panel);
  } else {
    panel.confirm();
  }
}

int ProbeFrontEnd::chooseMenuItem(const layout::MenuView &menu) { return onMenu ? onMenu(menu) : -1; }

Probe::Probe(CheckContext &context) : host_(std::make_unique<layout::Host>()) {
  host_->setFrontEnd(&frontEnd_);
  if (const std::optional<layout::LoadError> error = host_->loadModule(context.module())) {
    context.fail(loadFailure("", *error));  // the report's heading names the module
    return;
  }
  loaded_ = true;
  resetScene(layout::kDefaultHostBuild);
}

Probe::~Probe() = default;

std::vector<std::string> Probe::servers() const {
  std::vector<std::string> names;
  if (const layout::LoadedModule *module = host_->module()) {
    for (const layout::ServerInfo &server : module->servers()) names.push_back(server.name);
  }
  return names;
}

void Probe::resetScene(uint32_t build) {
  layout::readScene(layout::defaultScene(), "default scene", *host_);
  host_->setBuild(build);
}

ProbeRun Probe::run(const std::string &server, std::string what) {
  ProbeRun run;
  run.what = std::move(what);
  layout::Host &host = *host_;
  host.diagnostics().clear();
  const size_t firstCommand = host.commandLog().size();
  const size_t firstRejection = host.rejections().size();
  const size_t firstPanel = host.panels().panels().size();
  try {
    run.result = host.activate(server).value_or(-1);
  } catch (const std::exception &error) {
    run.escaped = error.what();
  } catch (...) {
    run.escaped = "an exception of unknown type";
  }
  layout::faultPlan().setModuleRunning(false);
  run.commands = host.commandLog().texts(firstCommand);
  for (size_t i = firstRejection; i < host.rejections().size(); ++i) {
    run.rejections.push_back(host.rejections()[i].message());
  }
  run.misuse = host.diagnostics().messages();
  run.panels = host.panels().panels().size() - firstPanel;
  return run;
}

void expectSound(CheckContext &context, const ProbeRun &run) {
  if (!run.escaped.empty()) context.fail(run.what + ": an exception escaped the module: " + run.escaped);
  if (run.result != LAYOUT_AF_OK && run.result != LAYOUT_AF_BADGLOBAL) {
    context.fail(run.what + ": result " + std::to_string(run.result) + ", expected 0 or 2");
  }
  for (const std::string &message : run.misuse) context.fail(run.what + ": misuse: " + message);
  for (const std::string &message : run.rejections) context.fail(run.what + ": refused command: " + message);
}

std::string at(const std::string &server, uint32_t build) {
  return server + " at build " + std::to_string(build);
}

}  // namespace sim

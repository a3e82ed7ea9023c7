#include "tools/host_options.h"

#include <CLI/CLI.hpp>

namespace sim {

namespace {

// The last value given for an option, as typed.
std::string typedValue(const CLI::Option &option) {
  return option.results().empty() ? std::string() : option.results().back();
}

}  // namespace

void addForceOption(CLI::App &app, bool &force) {
  app.add_flag("--force", force, "Replace write-protected files among those written");
}

void addAllowRejectedOption(CLI::App &app, bool &allow) {
  app.add_flag(
      "--allow-rejected", allow,
      "Accept a run in which the host rejected command texts (otherwise exit status 3, nothing written)");
}

void addHostOptions(CLI::App &app, HostOptions &options, bool withModule) {
  app.add_option("--scene", options.scene,
                 "Scene file to start from, - for standard input (default: the embedded default scene)")
      ->type_name("FILE");
  if (!withModule) return;
  options.selectOption =
      app.add_option("--select", options.select,
                     "Select these items in order, by name or ID, one per --select or several joined by "
                     "commas (default: the scene's selection)")
          ->expected(1)
          ->allow_extra_args(false)
          ->delimiter(',')
          ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll)
          ->type_name("ITEM");
  options.buildOption = app.add_option("--build", options.build,
                                       "Host build number the module is told (0-4095; default: the scene's)")
                            ->type_name("N");
  options.dynamicUpdateOption = app.add_option("--dynamic-update", options.dynamicUpdate,
                                               "Dynamic update setting: 0 off, 1 delayed, 2 interactive")
                                    ->type_name("N");
  app.add_option("--without", options.without, "Switch off a host service, such as \"LW Item Info 3\"")
      ->expected(1)
      ->allow_extra_args(false)
      ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll)
      ->type_name("SERVICE");
  addModuleOption(app, options.module);
}

void addModuleOption(CLI::App &app, std::string &module) {
  app.add_option("--module", module,
                 std::string("The module to load (default: ") + moduleFileName() + " beside this program)")
      ->type_name("PATH");
}

void loadModule(Simulator &simulator, const std::string &path) {
  simulator.loadModule(path.empty() ? moduleBesideProgram() : path);
}

void prepareHost(Simulator &simulator, const HostOptions &options, bool withModule) {
  if (withModule) loadModule(simulator, options.module);
  simulator.loadScene(options.scene);
  if (!withModule) return;
  for (const std::string &service : options.without) simulator.switchOff(service);
  if (options.buildOption->count()) simulator.setBuild(options.build, typedValue(*options.buildOption));
  if (options.dynamicUpdateOption->count()) {
    simulator.setDynamicUpdate(options.dynamicUpdate, typedValue(*options.dynamicUpdateOption));
  }
  if (options.selectOption->count()) {
    simulator.clearSelection();
    for (const std::string &item : options.select) simulator.addToSelection(item);
  }
}

}  // namespace sim

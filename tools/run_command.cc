// layout-sim run: one server, driven by panel actions, on a scene.
#include <CLI/CLI.hpp>
#include <iostream>

#include "tools/action_options.h"
#include "tools/cli_error.h"
#include "tools/command_file.h"
#include "tools/host_options.h"
#include "tools/run_report.h"
#include "tools/subcommand.h"

namespace sim {
namespace {

struct RunOptions {
  std::string server;
  HostOptions host;
  std::string save;
  std::string commands;
  bool force = false;
  bool allowRejected = false;
};

int runServer(const CLI::App &app, const RunOptions &options) {
  const std::vector<PanelAction> actions = collectActions(app);
  Simulator simulator;
  prepareHost(simulator, options.host, true);
  const RunOutcome outcome = simulator.run({options.server, actions, Finish::kConfirm});
  const std::optional<CliError> error = reportRun(std::cout, simulator.host(), outcome);
  if (outcome.commandsSent() > 0) printScene(std::cout, simulator.host());
  std::cout.flush();
  if (error) throw *error;
  if (!options.allowRejected) {
    if (std::optional<CliError> rejected = rejectedError(simulator.host(), outcome)) throw *rejected;
  }

  if (!options.commands.empty()) {
    writeCommandFile(options.commands, simulator.host(), outcome.firstCommand, outcome.endCommand,
                     options.force);
    std::cout << "Wrote " << outcome.commandsSent() << " commands to " << options.commands << "\n";
  }
  if (!options.save.empty()) {
    simulator.saveScene(options.save, options.force);
    std::cout << "Saved the scene to " << options.save << "\n";
  }
  return kExitDone;
}

}  // namespace

SubcommandMain setUpRun(CLI::App &app) {
  auto options = std::make_shared<RunOptions>();
  app.add_option("server", options->server, "Mint_Pivots or Mint_Joints")->required()->type_name("SERVER");
  addHostOptions(app, options->host, true);
  addActionOptions(app, true);
  app.add_option("--save", options->save, "Save the resulting scene to FILE")->type_name("FILE");
  app.add_option("--commands", options->commands, "Write the command texts sent to FILE, one per line")
      ->type_name("FILE");
  addForceOption(app, options->force);
  addAllowRejectedOption(app, options->allowRejected);
  app.footer(
      "With no panel actions the panel is confirmed with its defaults; without --ok or --cancel, OK is\n"
      "pressed after the last action. Controls are named by label, or by role where they have none:\n"
      "name, prefix, suffix, iconPercent.");
  return [&app, options] { return runServer(app, *options); };
}

}  // namespace sim

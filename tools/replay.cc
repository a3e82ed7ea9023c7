#include "tools/replay.h"

#include <CLI/CLI.hpp>
#include <iostream>

#include "tools/cli_error.h"
#include "tools/files.h"
#include "tools/host_options.h"
#include "tools/run_report.h"
#include "tools/subcommand.h"

namespace sim {

ReplayOutcome replayCommands(layout::Host &host, std::string_view script, const std::string &fileName,
                             bool strict, std::ostream &out) {
  ReplayOutcome outcome;
  outcome.firstCommand = host.commandLog().size();
  std::string problems;
  size_t lineNumber = 0;
  while (!script.empty()) {
    ++lineNumber;
    const size_t end = script.find('\n');
    std::string_view line = script.substr(0, end);
    script.remove_prefix(end == std::string_view::npos ? script.size() : end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty() || line.front() == '#') continue;
    if (host.commands().evaluate(line) != 0) continue;
    ++outcome.rejected;
    const std::string where = fileName + ":" + std::to_string(lineNumber) + ": ";
    const std::string message = host.rejections().back().message();
    if (strict) throw badInput(where + "rejected: " + message + " (replay stopped there)");
    problems += where + "rejected: " + message + "\n";
  }
  outcome.endCommand = host.commandLog().size();
  const size_t count = outcome.endCommand - outcome.firstCommand;
  out << fileName << ": " << count << (count == 1 ? " command" : " commands");
  if (outcome.rejected) out << ", " << outcome.rejected << " rejected";
  out << ":\n";
  printCommands(out, host, outcome.firstCommand, outcome.endCommand);
  out.flush();
  std::cerr << problems;
  return outcome;
}

namespace {

struct ReplayOptions {
  std::string script;
  HostOptions host;
  std::string save;
  bool strict = false;
  bool force = false;
};

int replay(const ReplayOptions &options) {
  const std::string script = readFile(options.script, "command script");
  Simulator simulator;
  prepareHost(simulator, options.host, false);
  replayCommands(simulator.host(), script, options.script, options.strict, std::cout);
  printScene(std::cout, simulator.host());
  if (!options.save.empty()) {
    simulator.saveScene(options.save, options.force);
    std::cout << "Saved the scene to " << options.save << "\n";
  }
  return kExitDone;
}

}  // namespace

SubcommandMain setUpReplay(CLI::App &app) {
  auto options = std::make_shared<ReplayOptions>();
  app.add_option("script", options->script, "Command texts, one per line, as run --commands writes them")
      ->required()
      ->type_name("FILE");
  addHostOptions(app, options->host, false);
  app.add_option("--save", options->save, "Save the resulting scene to FILE")->type_name("FILE");
  app.add_flag("--strict", options->strict, "Stop at the first rejected line; nothing is saved then");
  addForceOption(app, options->force);
  app.footer(
      "Blank lines and lines starting with # are skipped. Rejected lines are reported as FILE:LINE on\n"
      "stderr and the replay goes on, as Layout carries on after a command it refuses.");
  return [options] { return replay(*options); };
}

}  // namespace sim

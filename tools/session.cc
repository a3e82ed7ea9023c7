// layout-sim session: the steps of a session file, in one host process, so
// the module remembers confirmed choices from one run to the next as it does
// in Layout.
#include <CLI/CLI.hpp>
#include <filesystem>
#include <iostream>

#include "tools/cli_error.h"
#include "tools/command_file.h"
#include "tools/files.h"
#include "tools/host_options.h"
#include "tools/replay.h"
#include "tools/run_report.h"
#include "tools/session_file.h"
#include "tools/simulator.h"
#include "tools/subcommand.h"

namespace sim {
namespace {

struct SessionOptions {
  std::string file;
  std::string module;
  bool force = false;
  bool allowRejected = false;
};

class SessionRunner {
 public:
  SessionRunner(const LocatedJson &json, Simulator &simulator, const SessionOptions &options)
      : json_(json), simulator_(simulator), options_(options) {}

  void run(const Session &session) {
    bool first = true;
    for (const SessionStep &step : session.steps) {
      if (!first) std::cout << "\n";
      first = false;
      if (!step.note.empty()) std::cout << "== " << step.note << " ==\n";
      try {
        carryOut(step);
      } catch (const CliError &error) {
        // Errors of a step already placed in the session file pass as they are.
        if (located_) throw;
        throw CliError(error.exitCode(), json_.located(step.where, error.what()));
      }
      std::cout.flush();
    }
    layout::TextWriter out(std::cout);
    out << "\n";
    printScene(out, simulator_.host());
  }

 private:
  // Runs `work` and places any error it throws at `where`.
  template <typename Work>
  void at(Location where, Work work) {
    try {
      work();
    } catch (const CliError &error) {
      located_ = true;
      throw CliError(error.exitCode(), json_.located(where, error.what()));
    }
  }

  void carryOut(const SessionStep &step) {
    switch (step.kind) {
      case SessionStep::Kind::kLoad:
        at(step.path.where, [&] { simulator_.loadScene(step.path.value); });
        std::cout << "Loaded " << (step.path.value.empty() ? "the default scene" : step.path.value) << "\n";
        return;
      case SessionStep::Kind::kSelect:
        select(*step.select);
        return;
      case SessionStep::Kind::kRun:
        run(step);
        return;
      case SessionStep::Kind::kReplay: {
        std::string script;
        at(step.path.where, [&] { script = readFile(step.path.value, "command script"); });
        try {
          replayCommands(simulator_.host(), script, step.path.value, {step.keepGoing, step.byId, true},
                         std::cout);
        } catch (const CliError &) {
          located_ = true;  // in the command file
          throw;
        }
        return;
      }
      case SessionStep::Kind::kSave:
        at(step.path.where, [&] { simulator_.saveScene(step.path.value, options_.force); });
        std::cout << "Saved the scene to " << step.path.value << "\n";
        return;
    }
  }

  void select(const std::vector<Located<std::string>> &items) {
    simulator_.clearSelection();
    for (const Located<std::string> &item : items) {
      at(item.where, [&] { simulator_.addToSelection(item.value); });
    }
  }

  void run(const SessionStep &step) {
    if (step.build) at(step.build->where, [&] { simulator_.setBuild(step.build->value); });
    if (step.dynamicUpdate) {
      at(step.dynamicUpdate->where, [&] { simulator_.setDynamicUpdate(step.dynamicUpdate->value); });
    }
    if (step.select) select(*step.select);
    RunOutcome outcome;
    at(step.server.where, [&] {
      outcome = simulator_.run({step.server.value, step.actions, Finish::kConfirm});
    });
    std::optional<CliError> error;
    {
      layout::TextWriter out(std::cout);
      error = reportRun(out, simulator_.host(), outcome);
    }
    if (error) {
      std::cout.flush();
      const bool inAction = outcome.failure && error->exitCode() == kExitBadInput;
      at(inAction ? step.actionPlaces.at(outcome.failure->action) : step.server.where, [&] { throw *error; });
    }
    if (!options_.allowRejected) {
      if (std::optional<CliError> rejected = rejectedError(simulator_.host(), outcome)) {
        std::cout.flush();
        at(step.server.where, [&] { throw *rejected; });
      }
    }
    if (!step.commands.empty()) {
      writeCommandFile(step.commands, simulator_.host(), outcome, options_.force);
      std::cout << "Wrote " << outcome.commandsSent() << " commands to " << step.commands << "\n";
    }
  }

  const LocatedJson &json_;
  Simulator &simulator_;
  const SessionOptions &options_;
  bool located_ = false;
};

int runSession(const SessionOptions &options) {
  const LocatedJson json(readFile(options.file, "session file"), options.file);
  const Session session = readSession(json, std::filesystem::path(options.file).parent_path().string());
  Simulator simulator;
  simulator.loadModule(options.module.empty() ? moduleBesideProgram() : options.module);
  // Every server named, before anything runs.
  for (const SessionStep &step : session.steps) {
    if (step.kind != SessionStep::Kind::kRun) continue;
    try {
      simulator.checkServer(step.server.value);
    } catch (const CliError &error) {
      throw badInput(json.located(step.server.where, error.what()));
    }
  }
  simulator.loadScene("");
  if (!session.description.empty()) std::cout << session.description << "\n\n";
  SessionRunner(json, simulator, options).run(session);
  return kExitDone;
}

}  // namespace

SubcommandMain setUpSession(CLI::App &app) {
  auto options = std::make_shared<SessionOptions>();
  app.add_option("file", options->file, "The session file (JSON; see docs/session-format.md)")
      ->required()
      ->type_name("FILE");
  app.add_option("--module", options->module, "The module to load (default: mint.so beside this program)")
      ->type_name("PATH");
  addForceOption(app, options->force);
  addAllowRejectedOption(app, options->allowRejected);
  app.footer(
      "Steps run in order in one host, starting from the embedded default scene; file names in the\n"
      "session are taken from the session file's folder. A bad file is reported as FILE:LINE:COLUMN\n"
      "before any step runs.");
  return [options] { return runSession(*options); };
}

}  // namespace sim

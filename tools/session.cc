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
#include "tools/verbosity.h"

namespace sim {
namespace {

struct SessionOptions {
  std::string file;
  std::string module;
  bool force = false;
  bool allowRejected = false;
  RunStyle style;
};

class SessionRunner {
 public:
  SessionRunner(const LocatedJson &json, Simulator &simulator, const SessionOptions &options,
                std::ostream &out)
      : json_(json), simulator_(simulator), options_(options), out_(out), quiet_(options.style.quiet()) {}

  void run(const Session &session) {
    bool first = true;
    for (const SessionStep &step : session.steps) {
      if (!quiet_) {
        if (!first) out_ << "\n";
        if (!step.note.empty()) out_ << "== " << step.note << " ==\n";
      }
      first = false;
      try {
        carryOut(step);
      } catch (const CliError &error) {
        // Errors of a step already placed in the session file pass as they are.
        if (located_) throw;
        throw CliError(error.exitCode(), json_.located(step.where, error.what()));
      }
      out_.flush();
    }
    if (quiet_) return;
    layout::TextWriter writer(out_);
    writer << "\n";
    printScene(writer, simulator_.host());
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

  // "Saved the scene to out.json", unless quiet or the file went to standard output.
  void tell(const std::string &what, const std::string &path) {
    if (!quiet_ && path != kStandardStream) out_ << what << path << "\n";
  }

  void carryOut(const SessionStep &step) {
    switch (step.kind) {
      case SessionStep::Kind::kLoad:
        at(step.path.where, [&] { simulator_.loadScene(step.path.value); });
        if (!quiet_)
          out_ << "Loaded " << (step.path.value.empty() ? "the default scene" : inputName(step.path.value))
               << "\n";
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
          replayCommands(simulator_.host(), script, inputName(step.path.value),
                         {step.keepGoing, step.byId, !quiet_}, out_);
        } catch (const CliError &) {
          located_ = true;  // in the command file
          throw;
        }
        return;
      }
      case SessionStep::Kind::kSave:
        at(step.path.where, [&] { simulator_.saveScene(step.path.value, options_.force); });
        tell("Saved the scene to ", step.path.value);
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
      outcome = simulator_.run({step.server.value, step.actions, Finish::kConfirm, options_.style.strict});
    });
    std::optional<CliError> error;
    {
      layout::TextWriter writer(out_);
      error = printRun(writer, simulator_.host(), outcome, options_.style.verbosity, SceneAfterRun::kNever);
    }
    if (error) {
      out_.flush();
      const bool inAction = outcome.failure && error->exitCode() == kExitBadInput;
      at(inAction ? step.actionPlaces.at(outcome.failure->action) : step.server.where, [&] { throw *error; });
    }
    if (!options_.allowRejected) {
      if (std::optional<CliError> rejected = rejectedError(simulator_.host(), outcome)) {
        out_.flush();
        at(step.server.where, [&] { throw *rejected; });
      }
    }
    if (!step.commands.value.empty()) {
      at(step.commands.where,
         [&] { writeCommandFile(step.commands.value, simulator_.host(), outcome, options_.force); });
      tell("Wrote " + std::to_string(outcome.commandsSent()) + " commands to ", step.commands.value);
    }
  }

  const LocatedJson &json_;
  Simulator &simulator_;
  const SessionOptions &options_;
  std::ostream &out_;
  const bool quiet_;
  bool located_ = false;
};

// "\"save\" at demo.json:12:14", for a message about standard input or output.
NamedFile stepFile(const LocatedJson &json, const char *key, const Located<std::string> &path) {
  const layout::TextPosition at = json.position(path.where);
  return {"\"" + std::string(key) + "\" at " + layout::fileLocation(json.fileName(), at.line, at.column),
          path.value};
}

// The session file and its steps share standard input and output: each
// carries one file at most. Returns the stream for the report.
std::ostream &claimStreams(const LocatedJson &json, const SessionOptions &options, const Session &session) {
  std::vector<NamedFile> inputs = {{"the session file", options.file}};
  std::vector<NamedFile> outputs;
  for (const SessionStep &step : session.steps) {
    switch (step.kind) {
      case SessionStep::Kind::kLoad:
        inputs.push_back(stepFile(json, "load", step.path));
        break;
      case SessionStep::Kind::kReplay:
        inputs.push_back(stepFile(json, "replay", step.path));
        break;
      case SessionStep::Kind::kSave:
        outputs.push_back(stepFile(json, "save", step.path));
        break;
      case SessionStep::Kind::kRun:
        if (!step.commands.value.empty()) outputs.push_back(stepFile(json, "commands", step.commands));
        break;
      case SessionStep::Kind::kSelect:
        break;
    }
  }
  return claimStandardStreams(inputs, outputs);
}

int runSession(const SessionOptions &options) {
  const LocatedJson json(readFile(options.file, "session file"), inputName(options.file));
  const Session session = readSession(json, std::filesystem::path(options.file).parent_path().string());
  std::ostream &out = claimStreams(json, options, session);
  Simulator simulator;
  simulator.showProgress(!options.style.quiet());
  loadModule(simulator, options.module);
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
  if (!session.description.empty() && !options.style.quiet()) out << session.description << "\n\n";
  SessionRunner(json, simulator, options, out).run(session);
  return kExitDone;
}

}  // namespace

SubcommandMain setUpSession(CLI::App &app) {
  auto options = std::make_shared<SessionOptions>();
  app.add_option("file", options->file,
                 "The session file (JSON; see docs/session-format.md); - for standard input")
      ->required()
      ->type_name("FILE");
  addModuleOption(app, options->module);
  addForceOption(app, options->force);
  addAllowRejectedOption(app, options->allowRejected);
  addRunStyleOptions(app, options->style);
  app.footer(
      "Steps run in order in one host, starting from the embedded default scene; file names in the\n"
      "session are taken from the session file's folder, and \"-\" is standard input or output. A bad\n"
      "file is reported as FILE:LINE:COLUMN before any step runs.");
  return [options] { return runSession(*options); };
}

}  // namespace sim

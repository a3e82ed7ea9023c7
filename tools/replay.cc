#include "tools/replay.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <array>
#include <iostream>
#include <map>

#include "host/commands/command_args.h"
#include "host/text/json_location.h"
#include "host/text/printable.h"
#include "host/text/spelling.h"
#include "tools/cli_error.h"
#include "tools/command_file.h"
#include "tools/files.h"
#include "tools/host_options.h"
#include "tools/run_report.h"
#include "tools/subcommand.h"
#include "tools/verbosity.h"

namespace sim {
namespace {

using Command = CommandFile::Command;
using Declared = CommandFile::Declared;

// Where the ID argument of a command starts; npos when it has none.
size_t idArgument(std::string_view text, layout::ItemID &id) {
  const size_t space = text.find(' ');
  if (space == std::string_view::npos || !takesItemId(text.substr(0, space))) return std::string_view::npos;
  return layout::parseItemId(text.substr(space + 1), id) ? space + 1 : std::string_view::npos;
}

// Maps the IDs of a command file to the items they mean in the host's scene.
class IdMap {
 public:
  IdMap(const layout::Scene &scene, const CommandFile &file, std::string_view text,
        const std::string &fileName)
      : scene_(scene), file_(file), text_(text), fileName_(fileName) {}

  // Finds every recorded item in the scene and checks that every command's
  // ID is declared; throws before anything runs.
  void prepare() {
    for (const Declared &item : file_.items) {
      declared_[item.id] = &item;
      if (item.created) {
        created_[static_cast<size_t>(
                     layout::typeSlot(static_cast<layout::ItemType>(layout::itemTypeBits(item.id))))]
            .push_back(item.id);
      } else {
        existing_[item.id] = find(item);
      }
    }
    for (std::vector<layout::ItemID> &ids : created_) std::sort(ids.begin(), ids.end());
    for (const Command &command : file_.commands) {
      layout::ItemID id = 0;
      const size_t at = idArgument(command.text, id);
      if (at == std::string_view::npos || id == 0 || declared_.count(id)) continue;
      if (!file_.declaresItems) {
        fail(command.offset + at,
             "this file does not say which items its IDs name (an older layout-sim wrote it), "
             "so they may mean other items in this scene; replay it with --by-id to use them "
             "as they are");
      }
      fail(command.offset + at, "item " + layout::hexId(id) + " is not declared by an #item line above");
    }
  }

  // The command as it is to be carried out.
  std::string translate(const Command &command) const {
    layout::ItemID id = 0;
    const size_t at = idArgument(command.text, id);
    if (at == std::string_view::npos || id == 0) return std::string(command.text);
    if (const auto found = existing_.find(id); found != existing_.end()) {
      return std::string(command.text.substr(0, at)) + layout::hexId(found->second);
    }
    if (const auto found = made_.find(id); found != made_.end()) {
      return std::string(command.text.substr(0, at)) + layout::hexId(found->second);
    }
    fail(command.offset + at,
         "item " + layout::hexId(id) + " (" + pathText(declared_.at(id)->path) +
             ") was made by the recorded commands before this line, but not by this replay");
  }

  // After a command: items it created stand for the recorded ones of their
  // type, in the order both were made.
  void noteCreated(const ItemCounts &before, const ItemCounts &after) {
    for (size_t slot = 0; slot < before.size(); ++slot) {
      const auto type = static_cast<layout::ItemType>(slot + 1);
      for (size_t index = before[slot]; index < after[slot]; ++index) {
        const size_t next = madeCount_[slot]++;
        if (next < created_[slot].size()) {
          made_[created_[slot][next]] = layout::makeItemId(type, static_cast<uint32_t>(index));
        }
      }
    }
  }

 private:
  layout::ItemID find(const Declared &item) const {
    std::vector<layout::ItemID> found;
    layout::Suggestion suggestion(pathText(item.path));
    for (int type = 1; type <= layout::kItemTypeCount; ++type) {
      for (const layout::Item &candidate : scene_.items(static_cast<layout::ItemType>(type))) {
        // Only items of the same name need their whole path.
        if (scene_.name(candidate) != item.path.back()) {
          if (scene_.effectiveParent(candidate) == 0) suggestion.consider(scene_.name(candidate));
          continue;
        }
        const std::vector<std::string> path = itemPath(scene_, candidate);
        if (path == item.path) {
          found.push_back(candidate.id);
        } else {
          suggestion.consider(pathText(path));
        }
      }
    }
    const std::string recorded =
        "\"" + pathText(item.path) + "\" (" + layout::hexId(item.id) + " when recorded)";
    if (found.empty()) fail(item.offset, "no item " + recorded + " in this scene" + suggestion.hint());
    if (found.size() > 1) {
      std::string ids;
      for (layout::ItemID id : found) ids += (ids.empty() ? "" : ", ") + layout::hexId(id);
      fail(item.offset, "item " + recorded + " could be any of " + std::to_string(found.size()) +
                            " items in this scene: " + ids + "; rename one so the replay can tell");
    }
    return found.front();
  }

  // Messages quote the scene's and the file's names, which may hold any byte.
  [[noreturn]] void fail(size_t offset, const std::string &message) const {
    throw badInput(layout::locatedMessage(fileName_, text_, offset, layout::printable(message)));
  }

  const layout::Scene &scene_;
  const CommandFile &file_;
  std::string_view text_;
  const std::string &fileName_;
  std::map<layout::ItemID, const Declared *> declared_;
  std::map<layout::ItemID, layout::ItemID> existing_;  // recorded ID: the scene's
  std::map<layout::ItemID, layout::ItemID> made_;      // recorded ID of a created item: the replay's
  std::array<std::vector<layout::ItemID>, layout::kItemTypeCount> created_;  // recorded, by type, in ID order
  std::array<size_t, layout::kItemTypeCount> madeCount_{};
};

void printReplayed(std::ostream &out, const layout::Host &host, const std::string &fileName,
                   const ReplayOutcome &outcome, bool listCommands) {
  const size_t count = outcome.endCommand - outcome.firstCommand;
  {
    layout::TextWriter writer(out);
    writer << fileName << ": " << count << (count == 1 ? " command" : " commands");
    if (outcome.rejected) writer << ", " << outcome.rejected << " rejected";
    writer << (listCommands ? ":\n" : ".\n");
    if (listCommands) printCommands(writer, host, outcome.firstCommand, outcome.endCommand);
  }
  out.flush();
}

}  // namespace

ReplayOutcome replayCommands(layout::Host &host, std::string_view script, const std::string &fileName,
                             const ReplayOptions &options, std::ostream &out) {
  const CommandFile file = readCommandFile(script, fileName);
  IdMap ids(host.scene(), file, script, fileName);
  if (!options.byId) ids.prepare();

  ReplayOutcome outcome;
  outcome.firstCommand = host.commandLog().size();
  std::string problems;
  for (const Command &command : file.commands) {
    std::string text;
    try {
      text = options.byId ? std::string(command.text) : ids.translate(command);
    } catch (const CliError &) {
      outcome.endCommand = host.commandLog().size();
      printReplayed(out, host, fileName, outcome, options.listCommands);
      throw;
    }
    const ItemCounts before = countItems(host.scene());
    const bool accepted = host.commands().evaluate(text) != 0;
    ids.noteCreated(before, countItems(host.scene()));
    if (accepted) continue;
    ++outcome.rejected;
    const std::string message =
        layout::locatedMessage(fileName, script, command.offset,
                               "rejected: " + layout::printable(host.rejections().back().message()));
    if (!options.keepGoing) {
      outcome.endCommand = host.commandLog().size();
      printReplayed(out, host, fileName, outcome, options.listCommands);
      throw badInput(message + "\nThe replay stopped there; --keep-going carries on past rejected commands.");
    }
    problems += message + "\n";
  }
  outcome.endCommand = host.commandLog().size();
  printReplayed(out, host, fileName, outcome, options.listCommands);
  std::cerr << problems;
  return outcome;
}

namespace {

struct ReplayCommandOptions {
  std::string script;
  HostOptions host;
  std::string save;
  ReplayOptions replay;
  bool strict = false;
  bool force = false;
  Verbosity verbosity = Verbosity::kNormal;
};

int replay(const ReplayCommandOptions &options) {
  std::ostream &out = claimStandardStreams(
      {{"the command file", options.script}, {"--scene", options.host.scene}}, {{"--save", options.save}});
  const bool quiet = options.verbosity == Verbosity::kQuiet;
  const std::string script = readFile(options.script, "command file");
  const std::string name = inputName(options.script);
  Simulator simulator;
  prepareHost(simulator, options.host, false);
  ReplayOptions replay = options.replay;
  replay.listCommands = !quiet;
  replayCommands(simulator.host(), script, name, replay, out);
  if (!quiet) {
    layout::TextWriter writer(out);
    printScene(writer, simulator.host());
  }
  if (!options.save.empty()) {
    simulator.saveScene(options.save, options.force);
    if (!quiet && options.save != kStandardStream) out << "Saved the scene to " << options.save << "\n";
  }
  return kExitDone;
}

}  // namespace

SubcommandMain setUpReplay(CLI::App &app) {
  auto options = std::make_shared<ReplayCommandOptions>();
  app.add_option("script", options->script,
                 "Command file, as run --commands writes it (docs/command-format.md); - for standard input")
      ->required()
      ->type_name("FILE");
  addHostOptions(app, options->host, false);
  app.add_option("--save", options->save, "Save the resulting scene to FILE (- for standard output)")
      ->type_name("FILE");
  app.add_flag("--keep-going", options->replay.keepGoing,
               "Carry on past rejected commands, reporting each as FILE:LINE (exit 0)");
  app.add_flag("--by-id", options->replay.byId,
               "Use the file's item IDs as they are written, for files without item names");
  app.add_flag("--strict", options->strict, "Stop at the first rejected command (the default)");
  addVerbosityOptions(app, options->verbosity);
  addForceOption(app, options->force);
  app.footer(
      "Each item ID is mapped to the item of the same path of names in this scene, or to the item the\n"
      "replay itself makes where the recording made one; an ID that cannot be mapped, or could mean\n"
      "more than one item, stops the replay before it begins. The first rejected command stops it too\n"
      "(exit 1) unless --keep-going. Nothing is saved after a stop.");
  return [options] { return replay(*options); };
}

}  // namespace sim

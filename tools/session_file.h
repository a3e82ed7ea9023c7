// Session files: a JSON list of steps (load a scene, select items, run a
// server with panel actions, replay a command script, save) that layout-sim
// carries out in one host. The format is documented in docs/session-format.md.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "tools/located_json.h"
#include "tools/panel_actions.h"

namespace sim {

template <typename T>
struct Located {
  T value;
  Location where;
};

struct SessionStep {
  enum class Kind { kLoad, kSelect, kRun, kReplay, kSave };

  Kind kind = Kind::kLoad;
  Location where;    // the step's first key
  std::string note;  // printed before the step
  // load (empty: the default scene), replay, save: relative paths are taken
  // from the session file's folder; "-" is standard input or output.
  Located<std::string> path;
  std::optional<std::vector<Located<std::string>>> select;  // select, run
  Located<std::string> server;                              // run
  std::optional<Located<int64_t>> build;                    // run
  std::optional<Located<int64_t>> dynamicUpdate;            // run
  std::vector<PanelAction> actions;                         // run
  std::vector<Location> actionPlaces;                       // run: where each action is written
  Located<std::string> commands;                            // run: write the texts sent here
  bool keepGoing = false;                                   // replay: carry on past rejected commands
  bool byId = false;                                        // replay: IDs as written
};

struct Session {
  std::string description;
  std::vector<SessionStep> steps;
};

// Checks the whole file before anything runs; throws CliError (bad input)
// located in the file. `folder` is the session file's folder.
Session readSession(const LocatedJson &json, const std::string &folder);

}  // namespace sim

// The options that set up the substitute Layout before a run: which module,
// which scene, the host build, dynamic update and the selection.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/simulator.h"

namespace CLI {
class App;
class Option;
}  // namespace CLI

namespace sim {

struct HostOptions {
  std::string module;  // empty: the module beside the program
  std::string scene;   // empty: the embedded default scene
  std::vector<std::string> select;
  std::vector<std::string> without;  // host services switched off
  int64_t build = 0;
  int64_t dynamicUpdate = 0;
  CLI::Option *buildOption = nullptr;
  CLI::Option *dynamicUpdateOption = nullptr;
  CLI::Option *selectOption = nullptr;
};

// --force: replace write-protected files among those written.
void addForceOption(CLI::App &app, bool &force);

// --allow-rejected: a run whose texts the host rejected still succeeds.
void addAllowRejectedOption(CLI::App &app, bool &allow);

// --module PATH, for the commands that load the module.
void addModuleOption(CLI::App &app, std::string &module);

// Loads the module at `path`, or the one beside the program when it is empty.
void loadModule(Simulator &simulator, const std::string &path);

// `withModule`: whether the command loads a module (replay does not).
void addHostOptions(CLI::App &app, HostOptions &options, bool withModule);

// Loads the module and the scene, then applies the build, dynamic update and
// selection given. Throws CliError.
void prepareHost(Simulator &simulator, const HostOptions &options, bool withModule);

}  // namespace sim

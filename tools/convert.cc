// layout-sim convert: a scene file read and written again, each in the format
// its extension names; a Layout scene written over itself keeps every line.
#include <CLI/CLI.hpp>
#include <iostream>

#include "tools/cli_error.h"
#include "tools/files.h"
#include "tools/simulator.h"
#include "tools/subcommand.h"

namespace sim {

SubcommandMain setUpConvert(CLI::App &app) {
  auto paths = std::make_shared<std::pair<std::string, std::string>>();
  app.add_option("in", paths->first, "The scene file to read; - for standard input")
      ->required()
      ->type_name("IN");
  app.add_option("out", paths->second, "The scene file to write; - for standard output")
      ->required()
      ->type_name("OUT");
  app.footer(
      "A name ending in .lws is a Layout scene file (read: versions 3 to 5; a new one is written as\n"
      "version 5); any other name is layout-sim's JSON scene file. Standard input holds either kind\n"
      "(a Layout scene starts with LWSC); standard output gets JSON.");
  return [paths] {
    // An empty name would otherwise mean the embedded default scene.
    if (paths->first.empty()) throw badInput("the scene file to read has an empty name");
    if (paths->second.empty()) throw badInput("the scene file to write has an empty name");
    std::ostream &out = claimStandardStreams({}, {{"the output", paths->second}});
    Simulator simulator;
    simulator.loadScene(paths->first);
    simulator.saveScene(paths->second);
    const std::string to = paths->second == kStandardStream ? "standard output" : paths->second;
    out << "Converted " << inputName(paths->first) << " (" << simulator.host().scene().itemCount()
        << " items) to " << to << "\n";
    return kExitDone;
  };
}

}  // namespace sim

// The subcommands of layout-sim. Each adds its options to its CLI11 app and
// returns the function that carries it out once the command line is parsed;
// main.cc holds the table of them.
#pragma once

#include <functional>

namespace CLI {
class App;
}

namespace sim {

// Runs the parsed subcommand and returns the exit status; throws CliError.
using SubcommandMain = std::function<int()>;
using SubcommandSetUp = SubcommandMain (*)(CLI::App &app);

struct Subcommand {
  const char *name;
  const char *summary;  // one line, shown in the program's --help
  SubcommandSetUp setUp;
};

SubcommandMain setUpRun(CLI::App &app);
SubcommandMain setUpSession(CLI::App &app);
SubcommandMain setUpPanel(CLI::App &app);
SubcommandMain setUpReplay(CLI::App &app);
SubcommandMain setUpConvert(CLI::App &app);
SubcommandMain setUpValidate(CLI::App &app);

}  // namespace sim

#include "tools/verbosity.h"

#include <CLI/CLI.hpp>

namespace sim {

void addVerbosityOptions(CLI::App &app, Verbosity &verbosity) {
  CLI::Option *quiet = app.add_flag_callback(
      "-q,--quiet", [&verbosity] { verbosity = Verbosity::kQuiet; },
      "Print only errors and a one-line summary");
  app.add_flag_callback(
         "-v,--verbose", [&verbosity] { verbosity = Verbosity::kVerbose; },
         "Also print the scene when nothing was sent")
      ->excludes(quiet);
}

}  // namespace sim

namespace sim {

void addRunStyleOptions(CLI::App &app, RunStyle &style) {
  addVerbosityOptions(app, style.verbosity);
  app.add_flag("--strict", style.strict,
               "Fail (exit 1, nothing sent) when the panel corrects a value given with --set");
}

}  // namespace sim

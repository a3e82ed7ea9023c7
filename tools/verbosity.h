// How much layout-sim prints: --quiet keeps errors and a one-line summary of
// each run (no command listing, no scene tree, no progress); --verbose adds
// the scene tree after a run even when nothing was sent. Commands that run
// servers (run, session) also take --strict: a value the panel corrects
// fails the run instead of being reported and accepted.
#pragma once

namespace CLI {
class App;
}

namespace sim {

enum class Verbosity { kQuiet, kNormal, kVerbose };

// Adds --quiet (-q) and --verbose (-v), which exclude each other.
void addVerbosityOptions(CLI::App &app, Verbosity &verbosity);

// How the runs of a command are carried out and reported.
struct RunStyle {
  Verbosity verbosity = Verbosity::kNormal;
  bool strict = false;

  bool quiet() const { return verbosity == Verbosity::kQuiet; }
};

// Adds --quiet, --verbose and --strict.
void addRunStyleOptions(CLI::App &app, RunStyle &style);

}  // namespace sim

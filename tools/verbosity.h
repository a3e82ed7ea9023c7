// How much layout-sim prints: --quiet keeps errors and a one-line summary of
// each run (no command listing, no scene tree); --verbose adds the scene tree
// even when nothing was sent.
#pragma once

namespace CLI {
class App;
}

namespace sim {

enum class Verbosity { kQuiet, kNormal, kVerbose };

// Adds --quiet (-q) and --verbose (-v), which exclude each other.
void addVerbosityOptions(CLI::App &app, Verbosity &verbosity);

}  // namespace sim

// Carrying out a command file (as `run --commands` writes it, docs/command-format.md)
// through the host's interpreter: a command log is a reusable macro. Every
// item ID in it is mapped to the item of the same path of names in the scene
// it is replayed on, or to the item the replay itself creates where the
// recording created one, so the same commands never act on other items.
#pragma once

#include <cstddef>
#include <ostream>
#include <string>
#include <string_view>

#include "host/host.h"

namespace sim {

struct ReplayOptions {
  bool keepGoing = false;  // carry on after a rejected command (exit 0)
  bool byId = false;       // use the IDs as written, for files without item names
  bool listCommands = true;
};

struct ReplayOutcome {
  size_t firstCommand = 0;  // the replayed texts in the host's command log
  size_t endCommand = 0;
  size_t rejected = 0;
};

// Carries out `script` (read from `fileName`, named in messages) and prints
// the texts with their results to `out`. Throws CliError (bad input) with a
// located message, before any command runs, when an ID cannot be mapped or
// maps to more than one item; and at the first rejected command unless
// `keepGoing` (each rejected line is then reported to stderr).
ReplayOutcome replayCommands(layout::Host &host, std::string_view script, const std::string &fileName,
                             const ReplayOptions &options, std::ostream &out);

}  // namespace sim

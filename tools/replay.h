// Carrying out a command script, a file of Layout command texts one per line
// (as `run --commands` writes them), through the host's interpreter: a command
// log is a reusable macro. Blank lines and lines starting with '#' are skipped.
#pragma once

#include <cstddef>
#include <ostream>
#include <string>
#include <string_view>

#include "host/host.h"

namespace sim {

struct ReplayOutcome {
  size_t firstCommand = 0;  // the replayed texts in the host's command log
  size_t endCommand = 0;
  size_t rejected = 0;
};

// Carries out `script` (read from `fileName`, named in messages) and prints
// the texts with their results to `out`; each rejected line is also reported
// to stderr as "file:line: ...". With `strict`, the first rejected line stops
// the replay with a CliError (bad input).
ReplayOutcome replayCommands(layout::Host &host, std::string_view script, const std::string &fileName,
                             bool strict, std::ostream &out);

}  // namespace sim

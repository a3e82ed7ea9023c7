// Command scripts: the texts a run sent, one per line, which replay carries
// out again through the host's interpreter, like a macro.
#pragma once

#include <cstddef>
#include <string>

#include "host/host.h"

namespace sim {

// Writes the log's texts [first, end) to `path`, one per line. Throws
// CliError (bad input); `force` replaces a write-protected file.
void writeCommandFile(const std::string &path, const layout::Host &host, size_t first, size_t end,
                      bool force = false);

}  // namespace sim

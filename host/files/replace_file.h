// Moving a finished temporary file over the file it replaces.
#pragma once

#include <string>

namespace layout {

// Renames `from` to `to`, replacing `to` when it exists (which the C
// library's rename refuses on Windows). Returns 0, or an errno value.
int replaceFile(const std::string &from, const std::string &to);

}  // namespace layout

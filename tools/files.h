// The user's files, for layout-sim: read whole within the size limit, and
// written through layout::OutputFile, never leaving half a file. A missing
// folder on the way to a written file is created. The path "-" is standard
// input or output, as in most command-line programs.
#pragma once

#include <string>
#include <string_view>

#include "host/files/file_problem.h"
#include "host/files/output_file.h"
#include "tools/cli_error.h"

namespace sim {

// The problem as layout-sim reports it (bad input), with the option that
// overrides a write-protected file.
CliError fileError(const layout::FileProblem &problem);

using layout::kStandardStream;

// Throws CliError (bad input) naming the file and the reason. `force`
// replaces a write-protected file.
void writeFileAtomically(const std::string &path, std::string_view content, bool force = false);

// Creates the folders above `path`; throws CliError (bad input) on failure.
void makeParentFolders(const std::string &path);

// Reads a whole file, or standard input for "-"; throws CliError (bad input)
// naming it as `what` ("session file").
std::string readFile(const std::string &path, const std::string &what);

}  // namespace sim

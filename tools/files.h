// The user's files, for layout-sim: read whole within the size limit, and
// written through layout::OutputFile, never leaving half a file. A missing
// folder on the way to a written file is created. The path "-" is standard
// input or output, as in most command-line programs.
#pragma once

#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

#include "host/files/file_problem.h"
#include "host/files/input_file.h"
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

// A file that could not be read, as a bad input naming it as `what`:
// "cannot read scene rig.lws: it is a folder".
CliError cannotRead(const layout::FileProblem &problem, const std::string &what);

// Reads a whole file, or standard input for "-"; throws CliError (bad input)
// naming it as `what` ("session file").
std::string readFile(const std::string &path, const std::string &what);

// The name messages use for a file read: "standard input" for "-".
std::string inputName(const std::string &path);

// A file a command reads or writes, as the user named it, with what names it
// in messages: {"--save", "out.json"}.
struct NamedFile {
  std::string what;
  std::string path;
};

// Standard input and output each carry at most one file: two files given as
// "-" would be read from, or written into, one stream. Throws CliError (bad
// input) naming both. Returns the stream for the command's report: stderr
// when a file goes to standard output, so that the file stays whole there.
std::ostream &claimStandardStreams(const std::vector<NamedFile> &inputs,
                                   const std::vector<NamedFile> &outputs);

}  // namespace sim

// The user's files: read whole, and written without ever leaving half a file: the
// text goes to a temporary beside the target, which is then renamed over it.
// A missing folder on the way is created. The path "-" is standard input or
// output, as in most command-line programs.
#pragma once

#include <string>
#include <string_view>

namespace sim {

inline constexpr std::string_view kStandardStream = "-";

// Throws CliError (bad input) naming the file and the reason.
void writeFileAtomically(const std::string &path, std::string_view content);

// Creates the folders above `path`; throws CliError (bad input) on failure.
void makeParentFolders(const std::string &path);

// A fresh temporary path beside `path`, for a writer that is not ours.
std::string temporaryBeside(const std::string &path);

// Reads a whole file; throws CliError (bad input) naming it.
std::string readFile(const std::string &path, const std::string &what);

}  // namespace sim

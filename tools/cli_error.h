// The one way a layout-sim subcommand fails: a message for the user and the
// exit status that tells a script what kind of failure it was.
#pragma once

#include <stdexcept>
#include <string>

namespace sim {

// Exit statuses, as documented in --help and the README.
inline constexpr int kExitDone = 0;      // done; a cancelled panel is done too
inline constexpr int kExitBadInput = 1;  // bad usage or input: arguments, files, panel actions
inline constexpr int kExitRefused = 2;   // the module refused: failed to load, missing service, misuse
inline constexpr int kExitRejected = 3;  // the host rejected command texts of a run (see --allow-rejected)
inline constexpr int kExitHostFailed =
    4;  // the host itself failed (out of memory...): not the module's fault

class CliError : public std::runtime_error {
 public:
  CliError(int exitCode, const std::string &message) : std::runtime_error(message), exitCode_(exitCode) {}
  int exitCode() const { return exitCode_; }

 private:
  int exitCode_;
};

// Shorthand for the common case.
inline CliError badInput(const std::string &message) { return CliError(kExitBadInput, message); }

}  // namespace sim

// What layout-sim prints about a run: the command texts the module sent, each
// with the host's answer, or why nothing was sent; and the resulting scene.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "host/host.h"
#include "host/text/text_writer.h"
#include "tools/cli_error.h"
#include "tools/simulator.h"
#include "tools/verbosity.h"

namespace sim {

// How much a report shows: every command and the whole scene, or counts
// with only the rejected commands listed.
enum class Detail { kFull, kSummary };

// "  ok  AddNull Null_001" and "  REJECTED  ParentItem 00000000: no item
// 00000000", for the log's texts [first, end); a summary leaves out the
// accepted ones.
void printCommands(layout::TextWriter &out, const layout::Host &host, size_t first, size_t end,
                   Detail detail = Detail::kFull);
size_t countRejected(const layout::Host &host, size_t first, size_t end);

// The error a run ends with, if any: the module refused (missing service,
// misuse) or a panel action failed.
std::optional<CliError> runError(const RunOutcome &outcome);

// Prints what the run did and returns runError(outcome). The caller prints
// the scene first when commands were sent, then throws the error.
std::optional<CliError> reportRun(layout::TextWriter &out, const layout::Host &host,
                                  const RunOutcome &outcome, Detail detail = Detail::kFull);

// When a command shows the scene after a run, besides --verbose, which shows
// it after every run: after a run that sent commands (run), or never, as the
// command shows it once at its end (session).
enum class SceneAfterRun { kWhenSent, kNever };

// A run as the verbosity has it: the report (a summary when quiet) and then
// the scene, when there is one to show. Returns reportRun's error.
std::optional<CliError> printRun(layout::TextWriter &out, const layout::Host &host, const RunOutcome &outcome,
                                 Verbosity verbosity, SceneAfterRun scene);

// When the host rejected any of the run's texts: the error that says how
// many (exit status kExitRejected).
std::optional<CliError> rejectedError(const layout::Host &host, const RunOutcome &outcome);

// "Scene:" and the indented tree; in a summary, the number of items of each
// type.
void printScene(layout::TextWriter &out, const layout::Host &host, Detail detail = Detail::kFull);

}  // namespace sim

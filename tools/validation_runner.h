// Runs one validation check in a child process under a watchdog, so a crash
// or a hang in the module fails that check and the run goes on with the next.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "tools/validation.h"

namespace sim {

enum class CheckStatus { kPassed, kFailed, kCrashed, kTimedOut };
const char *checkStatusName(CheckStatus status);

struct CheckOutcome {
  const Check *check = nullptr;
  CheckStatus status = CheckStatus::kPassed;
  std::vector<std::string> failures;  // the kept ones
  size_t failureCount = 0;
  std::vector<std::pair<std::string, uint64_t>> figures;
  double seconds = 0;
};

// Forks, runs the check in the child and collects what it reports. A child
// still running after `timeoutSeconds` is killed and the check timed out.
CheckOutcome runIsolated(const Check &check, const CheckContext &context, double timeoutSeconds);

}  // namespace sim

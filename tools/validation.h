// The checks of `layout-sim validate`: what each is called, the strictness
// level it belongs to, and the context it reports into. A check records every
// failure it finds and the figures worth reporting (points injected, sessions
// run); it never stops at the first failure.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace sim {

inline constexpr int kMaxValidationLevel = 10;

class CheckContext {
 public:
  CheckContext(std::string module, uint64_t seed, int repeat)
      : module_(std::move(module)), seed_(seed), repeat_(repeat) {}

  const std::string &module() const { return module_; }
  uint64_t seed() const { return seed_; }
  // How many times the randomised and repeated work runs; 1 is the quick run.
  int repeat() const { return repeat_; }

  // Only the first few failures are kept word for word; the rest are counted.
  void fail(std::string message);
  void figure(std::string name, uint64_t value) { figures_.emplace_back(std::move(name), value); }

  const std::vector<std::string> &failures() const { return failures_; }
  size_t failureCount() const { return failureCount_; }
  const std::vector<std::pair<std::string, uint64_t>> &figures() const { return figures_; }

 private:
  static constexpr size_t kKeptFailures = 12;
  std::string module_;
  uint64_t seed_;
  int repeat_;
  std::vector<std::string> failures_;
  size_t failureCount_ = 0;
  std::vector<std::pair<std::string, uint64_t>> figures_;
};

struct Check {
  const char *name;
  int level;
  const char *summary;
  void (*run)(CheckContext &context);
};

// Every check, cheapest first.
std::span<const Check> validationChecks();

// The checks themselves, one group a file.
void checkLoad(CheckContext &context);
void checkCancel(CheckContext &context);
void checkPanelDefaults(CheckContext &context);
void checkRememberedChoices(CheckContext &context);
void checkRunMatrix(CheckContext &context);
void checkServicesOff(CheckContext &context);
void checkMisuse(CheckContext &context);
void checkRandomSessions(CheckContext &context);
void checkAllocationFaults(CheckContext &context);
void checkHostFaults(CheckContext &context);
void checkReload(CheckContext &context);
void checkHostileInputs(CheckContext &context);

}  // namespace sim

#include "tools/validation.h"

namespace sim {

void CheckContext::fail(std::string message) {
  if (failureCount_++ < kKeptFailures) failures_.push_back(std::move(message));
}

std::span<const Check> validationChecks() {
  static constexpr Check kChecks[] = {
      {"load", 1, "loads, descriptor words, server table, tag lists, unloads", &checkLoad},
      {"cancel", 2, "every server cancels on every host build with no command sent", &checkCancel},
      {"panel-defaults", 3, "every control enumerated and read back, OK on defaults", &checkPanelDefaults},
      {"remembered-choices", 4, "choices survive reopening the panel and reset on unload",
       &checkRememberedChoices},
      {"run-matrix", 5, "OK over scenes x builds x selections, every command accepted", &checkRunMatrix},
      {"services-off", 6, "all 64 sets of switched-off services give a sound result", &checkServicesOff},
      {"misuse", 7, "no misuse of panels, controls, menus or tags in any interaction", &checkMisuse},
      {"random-sessions", 8, "seeded random panel sessions, identical transcripts on repeat",
       &checkRandomSessions},
      {"allocation-faults", 9, "the k-th allocation fails, for every k until a run completes",
       &checkAllocationFaults},
      {"host-faults", 9, "the k-th host call fails or throws, for every k", &checkHostFaults},
      {"reload", 10, "load, run and unload 1000 times without growing", &checkReload},
      {"hostile-inputs", 10, "every byte, huge texts and numbers at the 32-bit limits", &checkHostileInputs},
  };
  return kChecks;
}

}  // namespace sim

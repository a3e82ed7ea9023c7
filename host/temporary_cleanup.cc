#include "host/temporary_cleanup.h"

#include <signal.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cstring>

namespace layout {
namespace {

// Fixed storage, so the handler only reads memory that never moves and calls
// only unlink, sigaction and raise, which are safe in a signal handler.
constexpr size_t kSlotCount = 8;
constexpr size_t kLongestPath = 4352;
constexpr std::array<int, 3> kSignals = {SIGINT, SIGTERM, SIGHUP};

struct Slot {
  std::atomic<bool> used{false};
  char path[kLongestPath];
};

Slot gSlots[kSlotCount];
struct sigaction gPrevious[kSignals.size()];
bool gInstalled = false;

void removeTemporaries(int signal) {
  for (Slot &slot : gSlots) {
    if (slot.used.load()) ::unlink(slot.path);
  }
  for (size_t i = 0; i < kSignals.size(); ++i) {
    if (kSignals[i] == signal) ::sigaction(signal, &gPrevious[i], nullptr);
  }
  ::raise(signal);
}

void installHandlers() {
  if (gInstalled) return;
  gInstalled = true;
  for (size_t i = 0; i < kSignals.size(); ++i) {
    ::sigaction(kSignals[i], nullptr, &gPrevious[i]);
    if (gPrevious[i].sa_handler == SIG_IGN) continue;
    struct sigaction action = {};
    action.sa_handler = &removeTemporaries;
    sigemptyset(&action.sa_mask);
    ::sigaction(kSignals[i], &action, nullptr);
  }
}

}  // namespace

int registerTemporary(const std::string &path) {
  if (path.size() >= kLongestPath) return -1;
  installHandlers();
  for (size_t i = 0; i < kSlotCount; ++i) {
    Slot &slot = gSlots[i];
    if (slot.used.load()) continue;
    std::memcpy(slot.path, path.c_str(), path.size() + 1);
    slot.used.store(true);
    return static_cast<int>(i);
  }
  return -1;
}

void unregisterTemporary(int registration) {
  if (registration >= 0) gSlots[registration].used.store(false);
}

}  // namespace layout

#include "host/files/temporary_cleanup.h"

#include <signal.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <csignal>
#include <cstring>

namespace layout {
namespace {

// Fixed storage, so the handler only reads memory that never moves and calls
// only unlink, sigaction and raise, which are safe in a signal handler.
constexpr size_t kSlotCount = 8;
constexpr size_t kLongestPath = 4352;
#ifdef _WIN32
constexpr std::array<int, 2> kSignals = {SIGINT, SIGTERM};
#else
constexpr std::array<int, 3> kSignals = {SIGINT, SIGTERM, SIGHUP};
#endif

struct Slot {
  std::atomic<bool> used{false};
  char path[kLongestPath];
};

Slot gSlots[kSlotCount];
#ifdef _WIN32
using Previous = void (*)(int);
#else
using Previous = struct sigaction;
#endif
Previous gPrevious[kSignals.size()];
bool gInstalled = false;

void removeTemporaries(int signal) {
  for (Slot &slot : gSlots) {
    if (slot.used.load()) ::unlink(slot.path);
  }
  for (size_t i = 0; i < kSignals.size(); ++i) {
    if (kSignals[i] != signal) continue;
#ifdef _WIN32
    std::signal(signal, gPrevious[i] == SIG_ERR ? SIG_DFL : gPrevious[i]);
#else
    ::sigaction(signal, &gPrevious[i], nullptr);
#endif
  }
  ::raise(signal);
}

void installHandlers() {
  if (gInstalled) return;
  gInstalled = true;
  for (size_t i = 0; i < kSignals.size(); ++i) {
#ifdef _WIN32
    gPrevious[i] = std::signal(kSignals[i], &removeTemporaries);
    if (gPrevious[i] == SIG_IGN) std::signal(kSignals[i], SIG_IGN);
#else
    ::sigaction(kSignals[i], nullptr, &gPrevious[i]);
    if (gPrevious[i].sa_handler == SIG_IGN) continue;
    struct sigaction action = {};
    action.sa_handler = &removeTemporaries;
    sigemptyset(&action.sa_mask);
    ::sigaction(kSignals[i], &action, nullptr);
#endif
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

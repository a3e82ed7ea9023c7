#include "host/files/mapping_watch.h"

#ifndef _WIN32
#include <signal.h>
#include <sys/mman.h>
#include <unistd.h>

#include <atomic>
#include <cstdint>
#include <mutex>
#include <span>

namespace layout {
namespace {

// The watched mappings, read by the signal handler: plain atomics only, set
// before a mapping is handed out and cleared before it is unmapped.
struct Watch {
  std::atomic<uintptr_t> begin{0};
  std::atomic<uintptr_t> end{0};
  std::atomic<bool> cutShort{false};
};
constexpr int kWatches = 16;
Watch watches[kWatches];
std::mutex claiming;  // between threads claiming and freeing watches

struct sigaction previous = {};

// Hands a fault that is not ours to whoever handled SIGBUS before; with no
// handler of its own, the default action runs when the fault recurs.
void passOn(int signal, siginfo_t *info, void *context) {
  if (previous.sa_flags & SA_SIGINFO) {
    if (previous.sa_sigaction) return previous.sa_sigaction(signal, info, context);
  } else if (previous.sa_handler != SIG_DFL && previous.sa_handler != SIG_IGN) {
    return previous.sa_handler(signal);
  }
  struct sigaction fallback = {};
  fallback.sa_handler = SIG_DFL;
  sigemptyset(&fallback.sa_mask);
  sigaction(SIGBUS, &fallback, nullptr);
  // Pending until the handler returns, so a signal sent rather than a fault
  // also ends the process as it would have.
  raise(signal);
}

void onBusError(int signal, siginfo_t *info, void *context) {
  const auto address = reinterpret_cast<uintptr_t>(info->si_addr);
  // Only a fault has an address; a signal sent by a program does not.
  for (Watch &watch : info->si_code > 0 ? std::span<Watch>(watches) : std::span<Watch>()) {
    const uintptr_t begin = watch.begin.load(std::memory_order_acquire);
    const uintptr_t end = watch.end.load(std::memory_order_acquire);
    if (begin == 0 || address < begin || address >= end) continue;
    // Zero pages from the faulting one to the mapping's end: the reader goes
    // forward, so one replacement serves every page it touches after this.
    const auto pageSize = static_cast<uintptr_t>(sysconf(_SC_PAGESIZE));
    const uintptr_t page = address & ~(pageSize - 1);
    const void *zeros = mmap(reinterpret_cast<void *>(page), end - page, PROT_READ,
                             MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED, -1, 0);
    if (zeros == MAP_FAILED) break;
    watch.cutShort.store(true, std::memory_order_release);
    return;
  }
  passOn(signal, info, context);
}

void installHandler() {
  struct sigaction action = {};
  action.sa_sigaction = onBusError;
  action.sa_flags = SA_SIGINFO;
  sigemptyset(&action.sa_mask);
  sigaction(SIGBUS, &action, &previous);
}

}  // namespace

int watchMapping(const char *begin, size_t size) {
  static std::once_flag installed;
  std::call_once(installed, installHandler);
  const std::lock_guard lock(claiming);
  for (int i = 0; i < kWatches; ++i) {
    Watch &watch = watches[i];
    if (watch.begin.load(std::memory_order_relaxed) != 0) continue;
    watch.cutShort.store(false, std::memory_order_relaxed);
    const auto at = reinterpret_cast<uintptr_t>(begin);
    watch.end.store(at + size, std::memory_order_release);
    watch.begin.store(at, std::memory_order_release);
    return i;
  }
  return -1;
}

bool mappingCutShort(int watch) {
  return watch >= 0 && watches[watch].cutShort.load(std::memory_order_acquire);
}

void unwatchMapping(int watch) {
  if (watch < 0) return;
  const std::lock_guard lock(claiming);
  watches[watch].begin.store(0, std::memory_order_release);
  watches[watch].end.store(0, std::memory_order_release);
}

}  // namespace layout
#endif

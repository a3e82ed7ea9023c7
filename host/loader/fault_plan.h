// Failures the host plants in a module's run, so a validator can prove the
// module survives them: the k-th call the module makes into the host answers
// a failure (a NULL table, panel, control or menu; 0 from open or evaluate;
// -1 from deploy) or throws, and the k-th allocation the module itself makes
// fails. Every host entry point counts itself through a HostCall; the
// allocation hook (in the program that links the host) asks
// moduleAllocationFails() whether to fail.
#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>

namespace layout {

enum class HostFailure {
  kAnswer,  // the call answers its failure value (or does nothing)
  kThrow,   // the call throws HostFault into the module
};

// What a failing host call throws.
class HostFault : public std::runtime_error {
 public:
  HostFault() : std::runtime_error("host call failed (injected)") {}
};

class FaultPlan {
 public:
  // Counting starts afresh; nothing fails until a failure is armed.
  void reset();
  // The k-th host call (1-based) from now fails the given way.
  void failHostCall(size_t k, HostFailure how);
  // The k-th allocation (1-based) the module makes from now fails.
  void failAllocation(size_t k);
  // Allocations are counted only while a module runs.
  void setModuleRunning(bool running) { moduleRunning_ = running; }

  // Called by the allocation hook: true when this allocation must fail.
  bool moduleAllocationFails();
  // Called by Host::evaluate: counts commands sent after a failure fired.
  void commandSent() {
    if (fired_) ++commandsAfterFault_;
  }

  bool fired() const { return fired_; }
  size_t hostCalls() const { return hostCalls_; }
  size_t allocations() const { return allocations_; }
  size_t commandsAfterFault() const { return commandsAfterFault_; }
  // The host call that failed, once one did.
  const std::string &failedCall() const { return failedCall_; }

 private:
  friend class HostCall;
  friend class ModuleCall;
  // True: this call fails; throws for HostFailure::kThrow. A call without a
  // failure value (canAnswerFailure false) only ever fails by throwing.
  // Inline, as every command text passes here.
  bool enterHostCall(const char *name, bool canAnswerFailure) {
    if (++hostCalls_ != failingCall_) {
      ++depth_;
      return false;
    }
    return enterFailingCall(name, canAnswerFailure);
  }
  bool enterFailingCall(const char *name, bool canAnswerFailure);

  size_t hostCalls_ = 0, allocations_ = 0;
  size_t failingCall_ = 0, failingAllocation_ = 0;  // 0: none
  HostFailure how_ = HostFailure::kAnswer;
  bool fired_ = false;
  bool moduleRunning_ = false;
  int depth_ = 0;  // nesting of host calls: the host's own allocations are not the module's
  size_t commandsAfterFault_ = 0;
  std::string failedCall_;
};

// The process's plan: host entry points carry no context of their own.
// Its initialiser is a constant expression with g++'s library, so it is
// there even for allocations made before main(). (Not declared constinit:
// clang 14 with the same library cannot evaluate std::string's constructor
// as a constant, and the fuzz build uses it.)
extern FaultPlan processFaultPlan;
inline FaultPlan &faultPlan() { return processFaultPlan; }

// Put at the top of a host entry point: counts the call and marks the host
// as running until the scope ends. fails(): answer the failure value now.
class HostCall {
 public:
  explicit HostCall(const char *name, bool canAnswerFailure = true)
      : fails_(faultPlan().enterHostCall(name, canAnswerFailure)) {}
  ~HostCall() { --faultPlan().depth_; }
  HostCall(const HostCall &) = delete;
  HostCall &operator=(const HostCall &) = delete;
  bool fails() const { return fails_; }

 private:
  bool fails_;
};

// Put around a call from the host back into the module (an event, key, mouse,
// placement or menu function): the module's allocations count again inside.
class ModuleCall {
 public:
  ModuleCall() : depth_(faultPlan().depth_) { faultPlan().depth_ = 0; }
  ~ModuleCall() { faultPlan().depth_ = depth_; }
  ModuleCall(const ModuleCall &) = delete;
  ModuleCall &operator=(const ModuleCall &) = delete;

 private:
  int depth_;
};

}  // namespace layout

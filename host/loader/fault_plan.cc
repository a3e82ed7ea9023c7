#include "host/loader/fault_plan.h"

namespace layout {

void FaultPlan::reset() { *this = FaultPlan(); }

void FaultPlan::failHostCall(size_t k, HostFailure how) {
  failingCall_ = hostCalls_ + k;
  how_ = how;
}

void FaultPlan::failAllocation(size_t k) { failingAllocation_ = allocations_ + k; }

bool FaultPlan::moduleAllocationFails() {
  if (!moduleRunning_ || depth_ > 0) return false;
  if (++allocations_ != failingAllocation_) return false;
  fired_ = true;
  return true;
}

bool FaultPlan::enterFailingCall(const char *name, bool canAnswerFailure) {
  if (!canAnswerFailure && how_ == HostFailure::kAnswer) {
    ++depth_;
    return false;
  }
  fired_ = true;
  failedCall_ = name;
  if (how_ == HostFailure::kThrow) throw HostFault();
  ++depth_;
  return true;
}

FaultPlan processFaultPlan;

}  // namespace layout

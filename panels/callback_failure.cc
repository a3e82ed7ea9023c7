#include "panels/callback_failure.h"

namespace mint {
namespace {

// The host runs one activation at a time on its UI thread.
bool gCallbackFailed = false;

}  // namespace

void noteCallbackFailure() noexcept { gCallbackFailed = true; }

bool takeCallbackFailure() noexcept {
  const bool failed = gCallbackFailed;
  gCallbackFailed = false;
  return failed;
}

}  // namespace mint

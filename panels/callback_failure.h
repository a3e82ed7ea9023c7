// A panel callback that caught a failure (a host call that threw, memory
// that ran out) marks the panel, so the run it belongs to ends as cancelled:
// the panel's state can no longer be trusted to say what the user chose.
#pragma once

namespace mint {

void noteCallbackFailure() noexcept;
// Whether a callback failed since the last call; clears the mark.
bool takeCallbackFailure() noexcept;

}  // namespace mint

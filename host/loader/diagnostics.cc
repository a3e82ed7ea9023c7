#include "host/loader/diagnostics.h"

#include <cstdio>
#include <cstdlib>

namespace layout {

void Diagnostics::misuse(std::string message) {
  if (sink_) sink_(message);
  if (strictness_ == Strictness::kFatal) {
    if (!sink_) std::fprintf(stderr, "layout host: %s\n", message.c_str());
    std::abort();
  }
  messages_.push_back(std::move(message));
}

void Diagnostics::hostFailure(const char *call, const char *what) noexcept {
  ++hostFailureCount_;
  try {
    hostFailures_.push_back(std::string(call) + ": " + what);
  } catch (...) {
    // Counted all the same.
  }
}

Diagnostics &unboundDiagnostics() {
  static Diagnostics diagnostics;
  return diagnostics;
}

}  // namespace layout

// Misuse of the host interface by a module, named in one message each. The
// host either records the message and carries on, or stops the process.
// Failures of the host itself (an exception stopped at a C entry point) are
// kept apart: they are not the module's fault.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace layout {

enum class Strictness {
  kRecord,  // keep the message, answer the call as harmlessly as possible
  kFatal,   // pass the message to the sink (stderr without one) and abort
};

class Diagnostics {
 public:
  using Sink = std::function<void(std::string_view message)>;

  void misuse(std::string message);

  const std::vector<std::string> &messages() const { return messages_; }

  // "LWPanelServices.open: std::bad_alloc". Never throws: under memory
  // exhaustion the failure is still counted when its message cannot be kept.
  void hostFailure(const char *call, const char *what) noexcept;
  const std::vector<std::string> &hostFailures() const { return hostFailures_; }
  size_t hostFailureCount() const { return hostFailureCount_; }
  bool empty() const { return messages_.empty(); }
  void clear() { messages_.clear(); }

  void setStrictness(Strictness strictness) { strictness_ = strictness; }
  Strictness strictness() const { return strictness_; }
  // Sees every message as it is recorded, e.g. to print it at once.
  void setSink(Sink sink) { sink_ = std::move(sink); }

 private:
  std::vector<std::string> messages_;
  std::vector<std::string> hostFailures_;
  size_t hostFailureCount_ = 0;
  Strictness strictness_ = Strictness::kRecord;
  Sink sink_;
};

// Where misuse goes when no host can be told: a call through a table of a host
// that has already been destroyed, or before any activation ran.
Diagnostics &unboundDiagnostics();

}  // namespace layout

// Every command text the host was asked to carry out, in order, with its
// result. A million-bone run sends several million texts, so they share one
// character arena instead of one string each, and the log can be switched off.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace layout {

class CommandLog {
 public:
  struct Entry {
    std::string_view text;  // valid until the next append
    bool accepted;
  };

  void append(std::string_view text, bool accepted);
  size_t size() const { return ends_.size(); }
  bool empty() const { return ends_.empty(); }
  Entry operator[](size_t index) const;
  // Copies of the texts from `first` on, for comparing whole transcripts.
  std::vector<std::string> texts(size_t first = 0) const;
  void clear();

  void setEnabled(bool enabled) { enabled_ = enabled; }
  bool enabled() const { return enabled_; }

 private:
  static constexpr uint64_t kAcceptedBit = uint64_t{1} << 63;

  std::string chars_;
  std::vector<uint64_t> ends_;  // end offset of each text, kAcceptedBit when accepted
  bool enabled_ = true;
};

}  // namespace layout

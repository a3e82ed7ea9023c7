// Every command text the host was asked to carry out, in order, with its
// result. A million-bone run sends several million texts, most of them a
// repeat of one sent a few commands earlier ("BoneType 1", the same
// "SelectItem"), so a text is stored once per stretch of repeats and each
// entry refers to its stored copy. Texts and entries grow in fixed blocks,
// never a doubling array's spare half. The log can be switched off.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace layout {

class CommandLog {
 public:
  struct Entry {
    std::string_view text;  // valid until clear()
    bool accepted;
  };

  void append(std::string_view text, bool accepted);
  size_t size() const { return entries_.size(); }
  bool empty() const { return entries_.empty(); }
  Entry operator[](size_t index) const;
  // Copies of the texts from `first` on, for comparing whole transcripts.
  std::vector<std::string> texts(size_t first = 0) const;
  void clear();

  void setEnabled(bool enabled) { enabled_ = enabled; }
  bool enabled() const { return enabled_; }

 private:
  // An entry is a stored text's index with the result in the top bit; past
  // 2^31 stored texts (tens of gigabytes) the log records no more.
  static constexpr uint32_t kAcceptedBit = uint32_t{1} << 31;
  static constexpr size_t kBlockBytes = size_t{64} << 10;
  // Enough that the names a bone run repeats once per selected item (a
  // thousand between the texts of other bones) mostly find their copy.
  static constexpr size_t kRecentSlots = 16384;

  // The index of a stored copy of `text`: a recent one if it matches, else a
  // new one; kAcceptedBit when the log is full.
  uint32_t intern(std::string_view text);
  std::string_view stored(uint32_t index) const;
  char *reserve(size_t bytes);

  std::vector<std::unique_ptr<char[]>> blocks_;
  char *free_ = nullptr;  // unused end of the last block
  size_t room_ = 0;
  std::deque<const char *> stored_;  // each: length as base-128 digits, then the text
  std::deque<uint32_t> entries_;
  // A recent text by its hash: its stored index + 1 (0: empty), and the
  // hash's upper bits, so a text that is not there is told apart without
  // reading an old stored copy from a cold part of memory.
  struct Recent {
    uint32_t index = 0;
    uint32_t tag = 0;
  };
  std::vector<Recent> recent_ = std::vector<Recent>(kRecentSlots);
  bool enabled_ = true;
};

}  // namespace layout

#include "host/command_log.h"

namespace layout {

void CommandLog::append(std::string_view text, bool accepted) {
  if (!enabled_) return;
  chars_.append(text);
  ends_.push_back(chars_.size() | (accepted ? kAcceptedBit : 0));
}

CommandLog::Entry CommandLog::operator[](size_t index) const {
  const uint64_t begin = index == 0 ? 0 : (ends_[index - 1] & ~kAcceptedBit);
  const uint64_t end = ends_[index] & ~kAcceptedBit;
  return {std::string_view(chars_).substr(begin, end - begin), (ends_[index] & kAcceptedBit) != 0};
}

std::vector<std::string> CommandLog::texts(size_t first) const {
  std::vector<std::string> result;
  for (size_t i = first; i < size(); ++i) result.emplace_back((*this)[i].text);
  return result;
}

void CommandLog::clear() {
  chars_.clear();
  ends_.clear();
}

}  // namespace layout

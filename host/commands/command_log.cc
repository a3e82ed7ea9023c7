#include "host/commands/command_log.h"

#include <algorithm>
#include <cstring>
#include <functional>

namespace layout {
namespace {

constexpr size_t kMaxLengthDigits = 10;  // base-128 digits of a 64-bit length

char *writeLength(char *out, size_t length) {
  for (; length >= 0x80; length >>= 7) *out++ = static_cast<char>((length & 0x7F) | 0x80);
  *out++ = static_cast<char>(length);
  return out;
}

std::string_view readRecord(const char *record) {
  size_t length = 0;
  for (int shift = 0;; shift += 7) {
    const auto digit = static_cast<unsigned char>(*record++);
    length |= static_cast<size_t>(digit & 0x7F) << shift;
    if ((digit & 0x80) == 0) break;
  }
  return {record, length};
}

}  // namespace

void CommandLog::append(std::string_view text, bool accepted) {
  if (!enabled_) return;
  const uint32_t index = intern(text);
  if (index == kAcceptedBit) return;
  entries_.push_back(index | (accepted ? kAcceptedBit : 0));
}

CommandLog::Entry CommandLog::operator[](size_t index) const {
  const uint32_t entry = entries_[index];
  return {stored(entry & ~kAcceptedBit), (entry & kAcceptedBit) != 0};
}

std::vector<std::string> CommandLog::texts(size_t first) const {
  std::vector<std::string> result;
  for (size_t i = first; i < size(); ++i) result.emplace_back((*this)[i].text);
  return result;
}

void CommandLog::clear() {
  blocks_.clear();
  free_ = nullptr;
  room_ = 0;
  stored_.clear();
  entries_.clear();
  std::fill(recent_.begin(), recent_.end(), Recent{});
}

uint32_t CommandLog::intern(std::string_view text) {
  const size_t hash = std::hash<std::string_view>{}(text);
  Recent &slot = recent_[hash % kRecentSlots];
  const auto tag = static_cast<uint32_t>(hash >> 32);
  if (slot.index != 0 && slot.tag == tag && stored(slot.index - 1) == text) return slot.index - 1;
  if (stored_.size() >= kAcceptedBit) return kAcceptedBit;

  char *record = reserve(kMaxLengthDigits + text.size());
  char *end = writeLength(record, text.size());
  std::memcpy(end, text.data(), text.size());
  end += text.size();
  room_ -= static_cast<size_t>(end - free_);
  free_ = end;
  stored_.push_back(record);
  slot = {static_cast<uint32_t>(stored_.size()), tag};
  return slot.index - 1;
}

std::string_view CommandLog::stored(uint32_t index) const { return readRecord(stored_[index]); }

// Room for up to `bytes` at free_; a text too long for a block gets a block of
// its own. The caller advances free_ by what it used.
char *CommandLog::reserve(size_t bytes) {
  if (bytes > room_) {
    const size_t size = bytes > kBlockBytes ? bytes : kBlockBytes;
    blocks_.push_back(std::make_unique_for_overwrite<char[]>(size));
    free_ = blocks_.back().get();
    room_ = size;
  }
  return free_;
}

}  // namespace layout

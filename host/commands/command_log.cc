#include "host/commands/command_log.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "host/commands/numbered_text.h"
#include "host/text/text_hash.h"

namespace layout {
namespace {

char *writeVarint(char *out, uint64_t value) {
  for (; value >= 0x80; value >>= 7) *out++ = static_cast<char>((value & 0x7F) | 0x80);
  *out++ = static_cast<char>(value);
  return out;
}

uint64_t readVarint(const char *&in) {
  uint64_t value = 0;
  for (int shift = 0;; shift += 7) {
    const auto digit = static_cast<unsigned char>(*in++);
    value |= static_cast<uint64_t>(digit & 0x7F) << shift;
    if ((digit & 0x80) == 0) return value;
  }
}

size_t hashOf(std::string_view text) { return textHash(text); }

// A number is kept whole (low bit clear) or, after its form's last number
// since the latest mark, as the signed step from it (low bit set), which for
// counters such as names and progress takes one byte.
uint64_t wholeNumber(uint64_t value) { return value << 1; }

uint64_t numberStep(uint64_t last, uint64_t value) {
  const auto step = static_cast<int64_t>(value - last);
  const uint64_t zigzag = (static_cast<uint64_t>(step) << 1) ^ static_cast<uint64_t>(step >> 63);
  return (zigzag << 1) | 1;
}

uint64_t numberFrom(uint64_t code, uint64_t last) {
  if ((code & 1) == 0) return code >> 1;
  const uint64_t zigzag = code >> 1;
  return last + ((zigzag >> 1) ^ (0 - (zigzag & 1)));
}

}  // namespace

void CommandLog::append(std::string_view text, bool accepted) {
  if (!enabled_) return;
  uint32_t index = 0;
  uint64_t number = 0;
  if (!formOf(text, index, number)) return;
  char *out = reserveRecord();
  Block &block = records_.back();
  if (size_ % kMarkEvery == 0) {
    marks_.push_back({static_cast<uint32_t>(records_.size() - 1), static_cast<uint32_t>(block.used)});
  }
  const uint8_t small = index < kInlineForms ? static_cast<uint8_t>(index) : kInlineForms;
  *out++ = static_cast<char>(small | (accepted ? kAcceptedBit : 0));
  if (small == kInlineForms) out = writeVarint(out, index - kInlineForms);
  if (form(index).digits) out = writeVarint(out, number);
  block.used = static_cast<size_t>(out - block.bytes.get());
  ++size_;
}

bool CommandLog::formOf(std::string_view text, uint32_t &index, uint64_t &number) {
  if (!recentTexts_) {
    recentTexts_ = std::make_unique<RecentText[]>(kRecentSlots);
    recentForms_ = std::make_unique<RecentForm[]>(kRecentForms);
  }
  if (formCount_ >= std::numeric_limits<uint32_t>::max() - 1) return false;
  const size_t hash = hashOf(text);
  RecentText &textSlot = recentTexts_[hash % kRecentSlots];
  const auto textTag = static_cast<uint32_t>(hash >> 32);
  if (textSlot.form != 0 && textSlot.tag == textTag) {
    const Form &known = form(textSlot.form - 1);
    if (std::string_view(known.text, known.length) == text) {
      index = textSlot.form - 1;
      return true;
    }
  }
  const std::optional<NumberedText> numbered = NumberedText::split(text);
  if (!numbered) {
    index = wholeForm(text, textSlot, textTag);
    return true;
  }
  // The form's hash covers the text around the number and the number's shape.
  const size_t formHash = hashOf(numbered->prefix) * 31 + hashOf(numbered->suffix) * 7 +
                          numbered->digits * 1009u + numbered->decimals;
  RecentForm &formSlot = recentForms_[formHash % kRecentForms];
  const size_t mark = size_ / kMarkEvery + 1;
  const auto formTag = static_cast<uint32_t>(formHash >> 32);
  if (formSlot.form != 0 && formSlot.tag == formTag) {
    const Form &known = form(formSlot.form - 1);
    const std::string_view stored(known.text, known.length);
    if (known.digits == numbered->digits && known.decimals == numbered->decimals &&
        known.prefix == numbered->prefix.size() && stored.substr(0, known.prefix) == numbered->prefix &&
        stored.substr(known.prefix) == numbered->suffix) {
      if (formSlot.lastValue == numbered->value) {
        // The same number twice in a row: a text that repeats, kept whole so
        // that each repeat takes a single byte.
        index = wholeForm(text, textSlot, textTag);
      } else {
        index = formSlot.form - 1;
        number = formSlot.lastMark == mark ? numberStep(formSlot.lastValue, numbered->value)
                                           : wholeNumber(numbered->value);
        formSlot.lastValue = numbered->value;
        formSlot.lastMark = mark;
      }
      return true;
    }
  }
  index = addForm(numbered->prefix, numbered->suffix, numbered->digits, numbered->decimals);
  formSlot = {index + 1, formTag, numbered->value, mark};
  number = wholeNumber(numbered->value);
  return true;
}

uint32_t CommandLog::wholeForm(std::string_view text, RecentText &slot, uint32_t tag) {
  const uint32_t index = addForm(text, {}, 0, 0);
  slot = {index + 1, tag};
  return index;
}

uint32_t CommandLog::addForm(std::string_view prefix, std::string_view suffix, uint8_t digits,
                             uint8_t decimals) {
  const size_t length = prefix.size() + suffix.size();
  char *text = reserveText(length);
  if (!prefix.empty()) std::memcpy(text, prefix.data(), prefix.size());
  if (!suffix.empty()) std::memcpy(text + prefix.size(), suffix.data(), suffix.size());
  freeText_ += length;
  textRoom_ -= length;
  if (formCount_ % kFormsPerChunk == 0) formChunks_.push_back(std::make_unique<Form[]>(kFormsPerChunk));
  formChunks_.back()[formCount_ % kFormsPerChunk] = {text, static_cast<uint32_t>(length),
                                                     static_cast<uint32_t>(prefix.size()), digits, decimals};
  return formCount_++;
}

// Room for `bytes` of form text at freeText_; a text too long for a block gets
// a block of its own. The caller advances freeText_ by what it used.
char *CommandLog::reserveText(size_t bytes) {
  if (bytes > textRoom_) {
    const size_t size = bytes > kBlockBytes ? bytes : kBlockBytes;
    textBlocks_.push_back(std::make_unique_for_overwrite<char[]>(size));
    freeText_ = textBlocks_.back().get();
    textRoom_ = size;
  }
  return freeText_;
}

// Room for one entry at the end of the last record block; entries never
// straddle two blocks.
char *CommandLog::reserveRecord() {
  if (records_.empty() || kBlockBytes - records_.back().used < kMaxRecordBytes) {
    records_.push_back({std::make_unique_for_overwrite<char[]>(kBlockBytes), 0});
  }
  return records_.back().bytes.get() + records_.back().used;
}

CommandLog::Reader::Reader(const CommandLog &log, size_t first)
    : log_(log), position_(first - first % kMarkEvery), block_(0), offset_(0) {
  if (position_ < log.size_) {
    const Mark mark = log.marks_[position_ / kMarkEvery];
    block_ = mark.block;
    offset_ = mark.offset;
  }
  while (position_ < first && position_ < log.size_) next();
}

CommandLog::Entry CommandLog::Reader::next() {
  if (position_ % kMarkEvery == 0) lastNumbers_.clear();
  if (offset_ == log_.records_[block_].used) {
    ++block_;
    offset_ = 0;
  }
  const char *const start = log_.records_[block_].bytes.get() + offset_;
  const char *in = start;
  const auto header = static_cast<uint8_t>(*in++);
  uint32_t index = header & ~kAcceptedBit;
  if (index == kInlineForms) index += static_cast<uint32_t>(readVarint(in));
  const Form &form = log_.form(index);
  std::string_view text(form.text, form.length);
  if (form.digits) {
    const uint64_t code = readVarint(in);
    auto last = std::find_if(lastNumbers_.begin(), lastNumbers_.end(),
                             [index](const auto &known) { return known.first == index; });
    if (last == lastNumbers_.end()) last = lastNumbers_.insert(last, {index, 0});
    const uint64_t value = numberFrom(code, last->second);
    last->second = value;
    const size_t room = form.length + NumberedText::kMaxDigits + 1;
    if (text_.size() < room) text_.resize(room);
    char *out = text_.data();
    std::memcpy(out, form.text, form.prefix);
    out = writeNumber(out + form.prefix, value, form.digits, form.decimals);
    std::memcpy(out, form.text + form.prefix, form.length - form.prefix);
    text =
        std::string_view(text_.data(), static_cast<size_t>(out - text_.data()) + form.length - form.prefix);
  }
  offset_ += static_cast<size_t>(in - start);
  ++position_;
  return {text, (header & kAcceptedBit) != 0};
}

CommandLog::EntryCopy CommandLog::operator[](size_t index) const {
  Reader reader(*this, index);
  const Entry entry = reader.next();
  return {std::string(entry.text), entry.accepted};
}

std::vector<std::string> CommandLog::texts(size_t first) const {
  std::vector<std::string> result;
  Reader reader(*this, first);
  while (reader.position() < size_) result.emplace_back(reader.next().text);
  return result;
}

void CommandLog::clear() {
  textBlocks_.clear();
  freeText_ = nullptr;
  textRoom_ = 0;
  formChunks_.clear();
  formCount_ = 0;
  records_.clear();
  marks_.clear();
  size_ = 0;
  recentTexts_.reset();
  recentForms_.reset();
}

}  // namespace layout

#include "host/commands/command_log.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "host/commands/numbered_text.h"
#include "host/text/printable.h"
#include "host/text/same_bytes.h"
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

bool CommandLog::append(std::string_view text, bool accepted) {
  Identified identified;
  if (!identify(text, identified)) return false;
  append(identified, accepted);
  return true;
}

bool CommandLog::identify(std::string_view text, Identified &identified) {
  if (!enabled_) return false;
  identified = {};
  return formOf(text, identified);
}

void CommandLog::append(const Identified &identified, bool accepted) {
  const uint32_t index = identified.form;
  char *out = reserveRecord();
  Block &block = records_.back();
  if (size_ % kMarkEvery == 0) {
    marks_.push_back({static_cast<uint32_t>(records_.size() - 1), static_cast<uint32_t>(block.used)});
  }
  const uint8_t small = index < kInlineForms ? static_cast<uint8_t>(index) : kInlineForms;
  *out++ = static_cast<char>(small | (accepted ? kAcceptedBit : 0));
  if (small == kInlineForms) out = writeVarint(out, index - kInlineForms);
  if (!identified.whole) {
    out = writeVarint(out, identified.number);
    // Only a number written counts as the form's last one.
    RecentForm &slot = recentForms_[identified.formSlot];
    slot.lastValue = identified.value;
    slot.lastMark = size_ / kMarkEvery + 1;
  }
  block.used = static_cast<size_t>(out - block.bytes.get());
  if (!accepted) refused_.push_back(size_);
  ++size_;
}

size_t CommandLog::refusedBetween(size_t first, size_t end) const {
  if (first >= end) return 0;
  return static_cast<size_t>(std::lower_bound(refused_.begin(), refused_.end(), end) -
                             std::lower_bound(refused_.begin(), refused_.end(), first));
}

bool CommandLog::formOf(std::string_view text, Identified &identified) {
  if (!recentTexts_) {
    recentTexts_ = std::make_unique<RecentText[]>(kRecentSlots);
    recentForms_ = std::make_unique<RecentForm[]>(kRecentForms);
    predictions_ = std::make_unique<Prediction[]>(kPredictions);
  }
  if (!predictedForm(text, identified)) {
    if (!hashedForm(text, identified)) return false;
    predictions_[lastForm_ % kPredictions] = {lastForm_, identified.form, identified.formSlot,
                                              form(identified.form)};
  }
  lastForm_ = identified.form + 1;
  return true;
}

// A run is a short cycle of texts, so the form that followed the previous
// entry's form last time mostly fits again: a whole text by its bytes, a
// numbered form by the bytes around a number of its shape. Either way the
// text is what splitting it would give, so both paths agree on every form.
bool CommandLog::predictedForm(std::string_view text, Identified &identified) {
  const Prediction &prediction = predictions_[lastForm_ % kPredictions];
  if (prediction.after != lastForm_ || lastForm_ == 0) return false;
  const Form &known = prediction.known;
  if (known.digits == 0) {
    if (text.size() != known.length || !sameBytes(text.data(), known.text, known.length)) return false;
    identified.form = prediction.form;
    identified.whole = true;
    return true;
  }
  const size_t numberBytes = known.digits + (known.decimals ? 1u : 0u);
  const size_t suffix = known.length - known.prefix;
  if (text.size() != known.length + numberBytes || !sameBytes(text.data(), known.text, known.prefix) ||
      !sameBytes(text.data() + known.prefix + numberBytes, known.text + known.prefix, suffix)) {
    return false;
  }
  uint64_t value = 0;
  if (!readNumber(text.data() + known.prefix, known.digits, known.decimals, value)) return false;
  const RecentForm &slot = recentForms_[prediction.formSlot];
  // Another form took the slot, or the number repeats (kept as a whole
  // text): the hash path decides.
  if (slot.form != prediction.form + 1 || slot.lastValue == value) return false;
  numbered(identified, prediction.form, prediction.formSlot, known.prefix, value);
  return true;
}

void CommandLog::numbered(Identified &identified, uint32_t index, uint32_t formSlot, uint32_t prefix,
                          uint64_t value) const {
  const RecentForm &slot = recentForms_[formSlot];
  const size_t mark = size_ / kMarkEvery + 1;
  identified.form = index;
  identified.formSlot = formSlot;
  identified.numberAt = prefix;
  identified.value = value;
  identified.number = slot.lastMark == mark ? numberStep(slot.lastValue, value) : wholeNumber(value);
  identified.whole = false;
}

bool CommandLog::hashedForm(std::string_view text, Identified &identified) {
  if (formCount_ >= std::numeric_limits<uint32_t>::max() - 1) return false;
  identified.whole = true;
  const size_t hash = hashOf(text);
  RecentText &textSlot = recentTexts_[hash % kRecentSlots];
  const auto textTag = static_cast<uint32_t>(hash >> 32);
  if (textSlot.form != 0 && textSlot.tag == textTag) {
    const Form &known = form(textSlot.form - 1);
    if (std::string_view(known.text, known.length) == text) {
      identified.form = textSlot.form - 1;
      return true;
    }
  }
  const std::optional<NumberedText> split = NumberedText::split(text);
  if (!split) {
    identified.form = wholeForm(text, textSlot, textTag);
    return true;
  }
  // The form's hash covers the text around the number and the number's shape.
  const size_t formHash =
      hashOf(split->prefix) * 31 + hashOf(split->suffix) * 7 + split->digits * 1009u + split->decimals;
  const auto formSlot = static_cast<uint32_t>(formHash % kRecentForms);
  RecentForm &slot = recentForms_[formSlot];
  const auto formTag = static_cast<uint32_t>(formHash >> 32);
  if (slot.form != 0 && slot.tag == formTag) {
    const Form &known = form(slot.form - 1);
    const std::string_view stored(known.text, known.length);
    if (known.digits == split->digits && known.decimals == split->decimals &&
        known.prefix == split->prefix.size() && stored.substr(0, known.prefix) == split->prefix &&
        stored.substr(known.prefix) == split->suffix) {
      if (slot.lastValue == split->value) {
        // The same number twice in a row: a text that repeats, kept whole so
        // that each repeat takes a single byte.
        identified.form = wholeForm(text, textSlot, textTag);
      } else {
        numbered(identified, slot.form - 1, formSlot, known.prefix, split->value);
      }
      return true;
    }
  }
  // A new form: no number of it is written yet, so none counts as its last.
  const uint32_t index = addForm(split->prefix, split->suffix, split->digits, split->decimals);
  slot = {index + 1, formTag, 0, 0};
  numbered(identified, index, formSlot, static_cast<uint32_t>(split->prefix.size()), split->value);
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
  const bool plain = !hasControlBytes(prefix) && !hasControlBytes(suffix);
  formChunks_.back()[formCount_ % kFormsPerChunk] = {
      text, static_cast<uint32_t>(length), static_cast<uint32_t>(prefix.size()), digits, decimals, plain};
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

void CommandLog::addRecordBlock() {
  records_.push_back({std::make_unique_for_overwrite<char[]>(kBlockBytes), 0});
}

CommandLog::Reader::Reader(const CommandLog &log, size_t first)
    : log_(log), position_(0), block_(0), offset_(0) {
  moveTo(first);
}

void CommandLog::Reader::moveTo(size_t entry) {
  // Read on from here when the entry is ahead in the same stretch between
  // marks; start again from its mark otherwise.
  if (entry < position_ || entry / kMarkEvery != position_ / kMarkEvery) {
    position_ = entry - entry % kMarkEvery;
    if (position_ >= log_.size_) return;
    const Mark mark = log_.marks_[position_ / kMarkEvery];
    block_ = mark.block;
    offset_ = mark.offset;
  }
  while (position_ < entry && position_ < log_.size_) nextParts();
}

CommandLog::Parts CommandLog::Reader::nextParts() {
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
  Parts parts{std::string_view(form.text, form.prefix),
              std::string_view(form.text + form.prefix, form.length - form.prefix),
              0,
              form.digits,
              form.decimals,
              form.plain,
              (header & kAcceptedBit) != 0,
              index};
  if (form.digits) {
    const uint64_t code = readVarint(in);
    auto last = std::find_if(lastNumbers_.begin(), lastNumbers_.end(),
                             [index](const auto &known) { return known.first == index; });
    if (last == lastNumbers_.end()) last = lastNumbers_.insert(last, {index, 0});
    parts.value = numberFrom(code, last->second);
    last->second = parts.value;
  }
  offset_ += static_cast<size_t>(in - start);
  ++position_;
  return parts;
}

CommandLog::Entry CommandLog::Reader::next() {
  const Parts parts = nextParts();
  if (parts.digits == 0) return {parts.before, parts.accepted};
  const size_t room = parts.before.size() + parts.after.size() + NumberedText::kMaxDigits + 1;
  if (text_.size() < room) text_.resize(room);
  char *out = text_.data();
  std::memcpy(out, parts.before.data(), parts.before.size());
  out = writeNumber(out + parts.before.size(), parts.value, parts.digits, parts.decimals);
  std::memcpy(out, parts.after.data(), parts.after.size());
  out += parts.after.size();
  return {std::string_view(text_.data(), static_cast<size_t>(out - text_.data())), parts.accepted};
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
  predictions_.reset();
  lastForm_ = 0;
  refused_.clear();
  ++generation_;
}

}  // namespace layout

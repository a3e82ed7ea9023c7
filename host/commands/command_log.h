// Every command text the host was asked to carry out, in order, with its
// result. A million-bone run sends several million texts, and almost all of
// them are either a repeat of a recent text ("BoneType 1") or a recent text
// with another number in it ("StatusMsg {0.000500} Creating", "AddChildBone
// Bone_007"). So the log keeps each distinct form once and each command as a
// byte or a few: which form, and the number when the form has one. Texts are
// rebuilt exactly when read; a text that fits no form is kept whole. Storage
// grows in fixed blocks, never a doubling array's spare half. The log can be
// switched off.
//
//   CommandLog::Reader reader(log, first);
//   while (reader.position() < end) print(reader.next().text);
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace layout {

class CommandLog {
 public:
  struct Entry {
    std::string_view text;  // valid until the reader that gave it moves on
    bool accepted;
  };
  struct EntryCopy {
    std::string text;
    bool accepted;
  };

  // An entry as the log keeps it: its text is `before`, then, when digits > 0,
  // the number writeNumber(value, digits, decimals) writes, then `after`.
  struct Parts {
    std::string_view before;
    std::string_view after;
    uint64_t value;
    uint8_t digits;
    uint8_t decimals;
    bool plain;  // no control byte in the text
    bool accepted;
    uint32_t form;  // which of the log's forms: entries of one form share before and after
  };

  // Walks the log in order from an entry on, rebuilding each text.
  class Reader {
   public:
    Reader(const CommandLog &log, size_t first);
    // The entry at position(), then moves past it; only while
    // position() < size().
    Entry next();
    // The same without putting the text together.
    Parts nextParts();
    size_t position() const { return position_; }
    // Goes to an entry, ahead or back.
    void moveTo(size_t entry);

   private:
    const CommandLog &log_;
    size_t position_;
    size_t block_;
    size_t offset_;
    std::string text_;
    // Numbered forms met since the latest mark, with the number each had.
    std::vector<std::pair<uint32_t, uint64_t>> lastNumbers_;
  };

  // A text's form and number, found before the text is carried out so that
  // the interpreter can recognise a text it has seen the form of.
  struct Identified {
    uint32_t form = 0;
    bool whole = true;      // the form is the whole text: the same text repeats
    uint32_t formSlot = 0;  // for a numbered form: where its last number is kept
    uint32_t numberAt = 0;  // for a numbered form: where the number starts in the text
    uint64_t value = 0;     // the number in the text
    uint64_t number = 0;    // the number as the entry keeps it
  };

  // False when the text was not logged: the log is off, or full.
  bool append(std::string_view text, bool accepted);
  // The first half of append: false when the text cannot be logged. The
  // entry itself is written by append(identified, ...), which must follow
  // before the next text is identified.
  bool identify(std::string_view text, Identified &identified);
  void append(const Identified &identified, bool accepted);
  // Changes when clear() forgets the forms, so that what a caller keeps by
  // form index is known to be stale.
  uint32_t generation() const { return generation_; }
  size_t size() const { return size_; }
  // How many of the entries [first, end) were refused, and where they are.
  size_t refusedBetween(size_t first, size_t end) const;
  std::span<const size_t> refusedEntries() const { return refused_; }
  bool empty() const { return size_ == 0; }
  // One entry, found from the nearest mark: for a few look-ups; a Reader
  // walks many.
  EntryCopy operator[](size_t index) const;
  // Copies of the texts from `first` on, for comparing whole transcripts.
  std::vector<std::string> texts(size_t first = 0) const;
  void clear();

  void setEnabled(bool enabled) { enabled_ = enabled; }
  bool enabled() const { return enabled_; }

 private:
  // A distinct text, or a text with a hole where a number of `digits` digits
  // (`decimals` after the point) goes between its first `prefix` bytes and
  // the rest. digits 0: a whole text.
  struct Form {
    const char *text;
    uint32_t length;
    uint32_t prefix;
    uint8_t digits;
    uint8_t decimals;
    bool plain;  // no control byte in its text
  };
  // A recently used whole text by hash: its form's index + 1 (0: empty) and
  // the hash's upper bits, so most misses need not read the stored text.
  struct RecentText {
    uint32_t form = 0;
    uint32_t tag = 0;
  };
  // A recently used numbered form, with the number it was last used with and
  // the mark (+ 1) that use came after.
  struct RecentForm {
    uint32_t form = 0;
    uint32_t tag = 0;
    uint64_t lastValue = 0;
    size_t lastMark = 0;
  };
  // The form that followed form `after` - 1 the last time, and for a
  // numbered form the slot of recentForms_ that keeps its last number. The
  // form is copied here (forms never change) so that checking a prediction
  // reads one place.
  struct Prediction {
    uint32_t after = 0;
    uint32_t form = 0;
    uint32_t formSlot = 0;
    Form known{};
  };
  struct Block {
    std::unique_ptr<char[]> bytes;
    size_t used;
  };

  static constexpr size_t kBlockBytes = size_t{64} << 10;
  static constexpr size_t kFormsPerChunk = 4096;
  // Enough that the names a bone run repeats once per selected item (a
  // thousand between the texts of other bones) mostly find their form.
  static constexpr size_t kRecentSlots = 16384;
  // Numbered forms are few: one per command and name pattern.
  static constexpr size_t kRecentForms = 4096;
  static constexpr size_t kPredictions = 1024;
  // Every this many entries the log remembers where the entry starts.
  static constexpr size_t kMarkEvery = 128;
  // Form indexes below this take no byte of their own.
  static constexpr uint8_t kInlineForms = 127;
  static constexpr uint8_t kAcceptedBit = 0x80;
  static constexpr size_t kMaxRecordBytes = 1 + 5 + 10;

  // The form `text` is written with, and its number as kept; false when the
  // log can hold no more forms. First tries the form that followed the
  // previous entry's form last time, then looks the text up by hash.
  bool formOf(std::string_view text, Identified &identified);
  bool predictedForm(std::string_view text, Identified &identified);
  bool hashedForm(std::string_view text, Identified &identified);
  // Fills `identified` for numbered form `index` with `value`, the number
  // kept as the step from the form's last number since the latest mark.
  void numbered(Identified &identified, uint32_t index, uint32_t formSlot, uint32_t prefix,
                uint64_t value) const;
  uint32_t wholeForm(std::string_view text, RecentText &slot, uint32_t tag);
  uint32_t addForm(std::string_view prefix, std::string_view suffix, uint8_t digits, uint8_t decimals);
  const Form &form(uint32_t index) const {
    return formChunks_[index / kFormsPerChunk][index % kFormsPerChunk];
  }
  char *reserveText(size_t bytes);
  // Room for one entry at the end of the last record block; entries never
  // straddle two blocks.
  char *reserveRecord() {
    if (records_.empty() || kBlockBytes - records_.back().used < kMaxRecordBytes) addRecordBlock();
    return records_.back().bytes.get() + records_.back().used;
  }
  void addRecordBlock();

  std::vector<std::unique_ptr<char[]>> textBlocks_;
  char *freeText_ = nullptr;  // unused end of the last text block
  size_t textRoom_ = 0;
  std::vector<std::unique_ptr<Form[]>> formChunks_;
  uint32_t formCount_ = 0;
  std::vector<Block> records_;
  struct Mark {
    uint32_t block;
    uint32_t offset;
  };
  std::vector<Mark> marks_;  // where entries 0, kMarkEvery, 2 * kMarkEvery... start
  size_t size_ = 0;
  std::unique_ptr<RecentText[]> recentTexts_;
  std::unique_ptr<RecentForm[]> recentForms_;
  std::unique_ptr<Prediction[]> predictions_;
  uint32_t lastForm_ = 0;        // the last entry's form + 1; 0: none yet
  std::vector<size_t> refused_;  // positions of the refused entries
  bool enabled_ = true;
  uint32_t generation_ = 0;
};

}  // namespace layout

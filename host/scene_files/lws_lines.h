// The line-level grammar of Layout scene files, shared by the reader and the
// writer: cutting the text into lines, the words of a line, numbers in the
// file's spelling, and which keywords start an item or belong to the scene.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "host/scene/item_id.h"

namespace layout {

// One line of a text: its bytes without the line break, and where it and
// its break lie in the text.
struct LwsLine {
  std::string_view text;
  size_t begin = 0;
  size_t end = 0;  // after the line break
};

// Lines one by one; a last line without a break counts too.
class LwsLineCutter {
 public:
  explicit LwsLineCutter(std::string_view text) : text_(text) {}
  bool next(LwsLine &line);
  int number() const { return number_; }  // 1-based, of the line last given

 private:
  std::string_view text_;
  size_t at_ = 0;
  int number_ = 0;
};

// The words of a line, split at spaces and tabs; at most kMax, the last
// holding the rest of the line.
struct LwsWords {
  static constexpr size_t kMax = 8;
  std::array<std::string_view, kMax> word{};
  size_t count = 0;
  // The line's text after its first word and one space: a name, spaces kept.
  std::string_view rest;

  explicit LwsWords(std::string_view line);
  std::string_view operator[](size_t i) const { return i < count ? word[i] : std::string_view(); }
};

// The shortest text that reads back as the same number: "0", "1", "0.25".
std::string lwsNumber(double value);
void appendLwsNumber(std::string &out, double value);
std::optional<double> parseLwsReal(std::string_view word);
std::optional<long> parseLwsInteger(std::string_view word);
// Eight hexadecimal digits.
std::optional<ItemID> parseLwsId(std::string_view word);

// Keywords that declare an item.
bool declaresItem(std::string_view keyword);
// Keywords of the whole scene: one ends the item before it.
bool isSceneWideKeyword(std::string_view keyword);
// Object keywords the host writes after the object's bones: one ends the
// last bone and goes back to its object.
bool isObjectKeywordAfterBones(std::string_view keyword);

// Follows blocks and the envelopes of the motion channels, line by line, to
// find the first key of each position channel.
class LwsBlocks {
 public:
  enum class Role {
    kTopLevel,     // a keyword line outside any block
    kOpen,         // "{ Name"
    kClose,        // "}"
    kInBlock,      // any other line inside a block
    kPositionKey,  // the first "Key" line of the envelope of channel 0, 1 or 2
  };
  // Returns nullopt for a "}" that closes nothing.
  std::optional<Role> see(std::string_view line);
  int depth() const { return depth_; }
  int channel() const { return channel_; }
  // A new item: no channel is open any more.
  void forgetChannel() { channel_ = -1; }

 private:
  int depth_ = 0;
  int channel_ = -1;
  bool inEnvelope_ = false;
  bool keySeen_ = false;
};

std::string_view trimmedStart(std::string_view line);
// The first word of a line, leading spaces skipped.
std::string_view keywordOf(std::string_view line);

}  // namespace layout

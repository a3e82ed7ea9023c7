// The line-level grammar of Layout scene files, shared by the reader and the
// writer: cutting the text into lines, the words of a line, numbers in the
// file's spelling, and which keywords start an item or belong to the scene.
#pragma once

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
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
  // Inline: it runs for every line of files of tens of millions of lines.
  bool next(LwsLine &line) {
    if (at_ >= text_.size()) return false;
    const size_t newline = text_.find('\n', at_);
    const size_t end = newline == std::string_view::npos ? text_.size() : newline + 1;
    size_t textEnd = newline == std::string_view::npos ? text_.size() : newline;
    if (textEnd > at_ && text_[textEnd - 1] == '\r') --textEnd;
    line = {text_.substr(at_, textEnd - at_), at_, end};
    at_ = end;
    return true;
  }
  // Where the next line starts; skipTo() moves it on to a later line start.
  size_t position() const { return at_; }
  // The same text, longer: more of it has been read.
  void extend(std::string_view longer) { text_ = longer; }
  void skipTo(size_t lineStart) { at_ = lineStart; }

 private:
  std::string_view text_;
  size_t at_ = 0;
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

// LwsWords(line)[index + 1] given `word`, LwsWords(line)[index]: a line's
// words one at a time, as far as they are needed.
std::string_view lwsNextWord(std::string_view line, std::string_view word, size_t index);

// The shortest text that reads back as the same number: "0", "1", "0.25".
std::string lwsNumber(double value);
void appendLwsNumber(std::string &out, double value);
std::optional<double> parseLwsReal(std::string_view word);
std::optional<long> parseLwsInteger(std::string_view word);
// Eight hexadecimal digits.
std::optional<ItemID> parseLwsId(std::string_view word);

// The keywords the reader acts on, each told apart by one table lookup.
enum class LwsKeyword : uint8_t {
  kOther,
  kSceneWide,  // a keyword of the whole scene: one ends the item before it
  // Keywords that declare an item.
  kLoadObjectLayer,
  kLoadObject,
  kAddNullObject,
  kAddBone,
  kAddLight,
  kAddCamera,
  // Object keywords the host writes after the object's bones: one ends the
  // last bone and goes back to its object.
  kShadowOptions,
  kUnseenByRays,
  kUnseenByCamera,
  kUnseenByRadiosity,
  kUnaffectedByFog,
  kObjectAlphaMode,
  // The rest of the modelled properties.
  kParentItem,
  kShowObject,
  kBoneName,
  kShowBone,
  kBoneActive,
  kBoneRestLength,
  kBoneStrength,
  kScaleBoneStrength,
  kBoneType,
  kLightName,
  kShowLight,
  kCameraName,
  kShowCamera,
};

LwsKeyword lwsKeyword(std::string_view word);
inline bool declaresItem(LwsKeyword keyword) {
  return keyword >= LwsKeyword::kLoadObjectLayer && keyword <= LwsKeyword::kAddCamera;
}
inline bool isObjectKeywordAfterBones(LwsKeyword keyword) {
  return keyword >= LwsKeyword::kShadowOptions && keyword <= LwsKeyword::kObjectAlphaMode;
}

inline bool isLwsBlank(char c) { return c == ' ' || c == '\t'; }
inline std::string_view trimmedStart(std::string_view line) {
  size_t at = 0;
  while (at < line.size() && isLwsBlank(line[at])) ++at;
  return line.substr(at);
}
// The first word of a line, leading blanks skipped.
inline std::string_view keywordOf(std::string_view line) {
  const std::string_view text = trimmedStart(line);
  size_t end = 0;
  while (end < text.size() && !isLwsBlank(text[end])) ++end;
  return text.substr(0, end);
}

// Where the word starting at `from` in `text` ends: at the first blank or
// line break, and at most at `limit`. Eight bytes at a time, as every line
// of a file is looked at; it reads up to the end of `text`, past `limit`.
inline size_t lwsWordEnd(std::string_view text, size_t from, size_t limit) {
  constexpr uint64_t kOnes = 0x0101010101010101u;
  constexpr uint64_t kHighs = 0x8080808080808080u;
  const auto bytesEqual = [](uint64_t word, char c) {
    const uint64_t x = word ^ (kOnes * static_cast<unsigned char>(c));
    return (x - kOnes) & ~x & kHighs;
  };
  size_t at = from;
  while (std::endian::native == std::endian::little && at < limit && at + 8 <= text.size()) {
    uint64_t word;
    std::memcpy(&word, text.data() + at, 8);
    // Little-endian: the lowest flagged byte is the first match; the flags
    // above it may be false, which does not matter.
    const uint64_t found = bytesEqual(word, ' ') | bytesEqual(word, '\t') | bytesEqual(word, '\n');
    if (found != 0) return std::min(limit, at + static_cast<size_t>(std::countr_zero(found) / 8));
    at += 8;
  }
  while (at < limit && !isLwsBlank(text[at]) && text[at] != '\n') ++at;
  return std::min(at, limit);
}

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
  // Returns nullopt for a "}" that closes nothing. The second form also
  // gives the keyword of a top-level line. Inline: it sees every line of
  // files of tens of millions of lines.
  std::optional<Role> see(std::string_view line) {
    std::string_view keyword;
    return see(line, keyword);
  }
  std::optional<Role> see(std::string_view line, std::string_view &keyword) {
    const std::string_view text = trimmedStart(line);
    keyword = keywordOf(text);
    return seeWord(text, keyword);
  }
  // see() of a line given without its leading blanks, with its first word.
  std::optional<Role> seeWord(std::string_view text, std::string_view keyword) {
    if (!text.empty() && text.front() == '{') {
      open(text);
      return Role::kOpen;
    }
    if (keyword.size() == 1 && keyword.front() == '}') return close();
    if (depth_ > 0) {
      if (wantsKey() && keyword == "Key") {
        keySeen_ = true;
        return Role::kPositionKey;
      }
      return Role::kInBlock;
    }
    if (keyword == "Channel") channel_ = channelOf(text, keyword);
    return Role::kTopLevel;
  }
  // Whether the lines from `at`, inside a block, are ones see() would call
  // kInBlock without a change run up to the returned offset: the start of
  // the first line from `at` on whose first byte after blanks is a brace,
  // else the end of `text`. `at` starts a line.
  size_t plainLinesEnd(std::string_view text, size_t at) const;
  bool inPlainBlock() const { return depth_ > 0 && !wantsKey(); }
  int depth() const { return depth_; }
  int channel() const { return channel_; }
  // A new item: no channel is open any more.
  void forgetChannel() { channel_ = -1; }

 private:
  bool wantsKey() const { return inEnvelope_ && depth_ == 1 && channel_ < 3 && !keySeen_; }
  void open(std::string_view text) {
    if (depth_ == 0 && channel_ >= 0 && keywordOf(text.substr(1)) == "Envelope") {
      inEnvelope_ = true;
      keySeen_ = false;
    }
    ++depth_;
  }
  std::optional<Role> close() {
    if (depth_ == 0) return std::nullopt;
    if (--depth_ == 0 && inEnvelope_) {
      inEnvelope_ = false;
      channel_ = -1;
    }
    return Role::kClose;
  }
  static int channelOf(std::string_view text, std::string_view keyword);

  int depth_ = 0;
  int channel_ = -1;
  bool inEnvelope_ = false;
  bool keySeen_ = false;
};

}  // namespace layout

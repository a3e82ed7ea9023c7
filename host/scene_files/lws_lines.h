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

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "host/scene/item_id.h"

namespace layout {

// One line of a text: its bytes without the line break, and where it and
// its break lie in the text.
struct LwsLine {
  std::string_view text;
  size_t begin = 0;
  size_t end = 0;  // after the line break
};

inline size_t lwsWordEnd(std::string_view text, size_t from, size_t limit);

// Lines one by one; a last line without a break counts too. The line breaks
// are found 64 bytes at a time and kept as bits, so that the many short lines
// of a scene file cost a few instructions each rather than a search each.
class LwsLineCutter {
 public:
  explicit LwsLineCutter(std::string_view text) : text_(text) {}
  // Inline: it runs for every line of files of tens of millions of lines.
  [[gnu::always_inline]] bool next(LwsLine &line) {
    if (at_ >= text_.size()) return false;
    const size_t newline = nextBreak();
    const size_t end = newline == std::string_view::npos ? text_.size() : newline + 1;
    size_t textEnd = newline == std::string_view::npos ? text_.size() : newline;
    if (textEnd > at_ && text_[textEnd - 1] == '\r') --textEnd;
    line = {std::string_view(text_.data() + at_, textEnd - at_), at_, end};
    at_ = end;
    return true;
  }
  // The first byte of `line`, the line next() gave last, that is not a
  // blank, or the end of its text.
  size_t firstNonBlank(const LwsLine &line) const {
    const size_t textEnd = line.begin + line.text.size();
    if (line.begin >= blockStart_ && textEnd <= scanned_) {
      // The top bit stands for a byte past the block: never zero.
      const uint64_t nonBlanks = ~blanks_ >> (line.begin - blockStart_) | uint64_t{1} << 63;
      const size_t found = line.begin + static_cast<size_t>(__builtin_ctzll(nonBlanks));
      return std::min(found, textEnd);
    }
    size_t at = line.begin;
    while (at < textEnd && isBlank(text_[at])) ++at;
    return at;
  }
  // Where the word from `first` in `line`, the line next() gave last, ends:
  // at a blank or the end of its text.
  size_t wordEnd(const LwsLine &line, size_t first) const {
    const size_t textEnd = line.begin + line.text.size();
    if (first >= textEnd) return textEnd;
    if (first >= blockStart_ && textEnd <= scanned_) {
      const uint64_t stops = stops_ >> (first - blockStart_) | uint64_t{1} << 63;
      const size_t found = first + static_cast<size_t>(__builtin_ctzll(stops));
      return std::min(found, textEnd);
    }
    return lwsWordEnd(text_, first, textEnd);
  }
  // Moves on past the lines from position() whose first byte after blanks
  // is not a brace, as far as the bytes already looked at tell at little
  // cost; the lines it leaves are to be looked at one by one.
  void skipLinesWithoutBrace() {
    for (;;) {
      if (at_ == scanned_) {
        if (scanned_ >= text_.size()) return;
        scan();
      }
      if (at_ < blockStart_) return;  // a line begun in an earlier block
      uint64_t braces = braces_ & (~uint64_t{0} << (at_ - blockStart_));
      for (; braces != 0; braces &= braces - 1) {
        const unsigned brace = static_cast<unsigned>(std::countr_zero(braces));
        const uint64_t before = (uint64_t{1} << brace) - 1;
        const uint64_t breaksBefore = breaks_ & before;
        const size_t lineStart =
            breaksBefore ? blockStart_ + 64 - static_cast<size_t>(std::countl_zero(breaksBefore)) : at_;
        const uint64_t lead = before & (~uint64_t{0} << (lineStart - blockStart_));
        if ((lead & ~blanks_) == 0) {
          skipTo(lineStart);
          return;
        }
      }
      // No line in this block from at_ starts with a brace: all whole lines go.
      if (breaks_ == 0) return;
      skipTo(blockStart_ + 64 - static_cast<size_t>(std::countl_zero(breaks_)));
    }
  }
  // Where the next line starts; skipTo() moves it on to a later line start.
  size_t position() const { return at_; }
  // The same text, longer: more of it has been read. The breaks found so far
  // stay where they are.
  void extend(std::string_view longer) { text_ = longer; }
  void skipTo(size_t lineStart) {
    at_ = lineStart;
    if (lineStart >= scanned_) {
      breaks_ = 0;
      scanned_ = lineStart;
    } else if (lineStart > blockStart_) {
      breaks_ &= ~uint64_t{0} << (lineStart - blockStart_);
    }
  }

 private:
  // The offset of the first line break from at_ on, or npos.
  [[gnu::always_inline]] size_t nextBreak() {
    while (breaks_ == 0) {
      if (scanned_ >= text_.size()) return std::string_view::npos;
      scan();
    }
    const size_t found = blockStart_ + static_cast<size_t>(__builtin_ctzll(breaks_));
    breaks_ &= breaks_ - 1;
    return found;
  }
  static bool isBlank(char c) { return c == ' ' || c == '\t'; }
  // The line breaks, blanks and braces of the next (at most) 64 bytes from
  // scanned_.
  [[gnu::noinline]] void scan() {
    const char *const from = text_.data() + scanned_;
    const size_t length = std::min<size_t>(64, text_.size() - scanned_);
    uint64_t breaks = 0;
    uint64_t blanks = 0;
    uint64_t braces = 0;
#if defined(__SSE2__)
    if (length == 64) {
      const __m128i newline = _mm_set1_epi8('\n');
      const __m128i space = _mm_set1_epi8(' ');
      const __m128i tab = _mm_set1_epi8('\t');
      const __m128i open = _mm_set1_epi8('{');
      const __m128i close = _mm_set1_epi8('}');
      const auto part = [&](int index) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i *>(from + 16 * index));
        const auto breakBits = static_cast<uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, newline)));
        const __m128i blank = _mm_or_si128(_mm_cmpeq_epi8(bytes, space), _mm_cmpeq_epi8(bytes, tab));
        const auto blankBits = static_cast<uint32_t>(_mm_movemask_epi8(blank));
        const __m128i brace = _mm_or_si128(_mm_cmpeq_epi8(bytes, open), _mm_cmpeq_epi8(bytes, close));
        const auto braceBits = static_cast<uint32_t>(_mm_movemask_epi8(brace));
        breaks |= uint64_t{breakBits} << (16 * index);
        blanks |= uint64_t{blankBits} << (16 * index);
        braces |= uint64_t{braceBits} << (16 * index);
      };
      part(0);
      part(1);
      part(2);
      part(3);
    } else
#endif
    {
      for (size_t at = 0; at < length; ++at) {
        breaks |= uint64_t{from[at] == '\n'} << at;
        blanks |= uint64_t{isBlank(from[at])} << at;
        braces |= uint64_t{from[at] == '{' || from[at] == '}'} << at;
      }
    }
    blockStart_ = scanned_;
    scanned_ += length;
    breaks_ = breaks;
    blanks_ = blanks;
    stops_ = breaks | blanks;
    braces_ = braces;
  }

  std::string_view text_;
  size_t at_ = 0;
  // The line breaks in [at_, scanned_), bit i for the byte at blockStart_ + i;
  // the blanks, and the blanks and breaks, of the whole block.
  uint64_t breaks_ = 0;
  uint64_t blanks_ = 0;
  uint64_t stops_ = 0;
  uint64_t braces_ = 0;  // "{" and "}"
  size_t blockStart_ = 0;
  size_t scanned_ = 0;
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
// Inline: the reader asks for a word or two of most keyword lines.
inline std::string_view lwsNextWord(std::string_view line, std::string_view word, size_t index) {
  if (word.empty() || index + 1 >= LwsWords::kMax) return {};
  size_t at = static_cast<size_t>(word.data() + word.size() - line.data());
  while (at < line.size() && (line[at] == ' ' || line[at] == '\t')) ++at;
  if (at == line.size()) return {};
  size_t end = at;
  if (index + 2 == LwsWords::kMax) {
    end = line.size();
  } else {
    while (end < line.size() && line[end] != ' ' && line[end] != '\t') ++end;
  }
  return std::string_view(line.data() + at, end - at);
}

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
  bool inPlainBlock() const { return depth_ > 0 && !wantsKey(); }
  int depth() const { return depth_; }
  int channel() const { return channel_; }
  // A new item: no channel is open any more.
  void forgetChannel() { channel_ = -1; }

 private:
  bool wantsKey() const { return inEnvelope_ && depth_ == 1 && channel_ < 3 && !keySeen_; }
  void open(std::string_view text) {
    if (depth_ == 0 && channel_ >= 0 && (text == "{ Envelope" || keywordOf(text.substr(1)) == "Envelope")) {
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
  // The channel of a "Channel" line `text`, which starts with `keyword`:
  // 0-8, else -1. The usual single digit is read at once.
  static int channelOf(std::string_view text, std::string_view keyword) {
    const size_t digit = keyword.size() + 1;
    if (text.size() == digit + 1 && text[keyword.size()] == ' ' && text[digit] >= '0' && text[digit] <= '8') {
      return text[digit] - '0';
    }
    return channelOfWords(text, keyword);
  }
  static int channelOfWords(std::string_view text, std::string_view keyword);

  int depth_ = 0;
  int channel_ = -1;
  bool inEnvelope_ = false;
  bool keySeen_ = false;
};

}  // namespace layout

// Reading Layout scene files: the items and what the host models of them go
// into a scene; every line, modelled or not, goes into the document's
// segments, each with the item it belongs to, so that a save can give the
// file back byte for byte.
#include <algorithm>
#include <array>
#include <unordered_map>

#include "host/scene/parent_loops.h"
#include "host/scene_files/file_id_index.h"
#include "host/scene_files/lws_file.h"
#include "host/scene_files/lws_lines.h"
#include "host/scene_files/scene_values.h"
#include "host/text/json_location.h"

namespace layout {
namespace {

// A mistake in the file at a byte offset, caught where the text is at hand.
struct LwsProblem {
  size_t offset;
  std::string message;
};

[[noreturn]] void failAt(size_t offset, std::string message) { throw LwsProblem{offset, std::move(message)}; }

struct PendingItem {
  ItemType type;
  std::string_view name;
  ItemID hostId = 0;
  ItemID fileId = 0;
  ItemID owner = 0;         // bones: the host ID of their object
  int32_t ownerIndex = -1;  // bones: their object among the pending items
  ItemID parentFileId = 0;
  size_t declaredAt = 0;  // offsets in the text, for messages
  size_t parentAt = 0;
  LwsValues values;
};

// The text after `word`, which lies in `line`, past one separating space.
std::string_view after(std::string_view line, std::string_view word) {
  size_t at = static_cast<size_t>(word.data() + word.size() - line.data());
  if (at < line.size()) ++at;
  return line.substr(at);
}

// The name Layout shows for an object loaded from `path`: the file name
// without its folders and extension.
std::string_view objectNameOf(std::string_view path) {
  const size_t slash = path.find_last_of("/\\");
  if (slash != std::string_view::npos) path.remove_prefix(slash + 1);
  const size_t dot = path.rfind('.');
  if (dot != std::string_view::npos && dot > 0) path = path.substr(0, dot);
  return path;
}

std::string quoted(std::string_view word) {
  return word.empty() ? std::string("nothing") : "\"" + std::string(word) + "\"";
}

// The words of a line as LwsWords splits them, each found only when asked:
// most lines need their keyword alone, or one word after it.
class LineWords {
 public:
  LineWords(std::string_view line, std::string_view keyword) : line_(line), keyword_(keyword) {
    found_[0] = keyword;
  }
  // Each word is found once, from the one before it, however often asked.
  std::string_view operator[](size_t i) const {
    if (i < kKept) {
      for (; known_ < i; ++known_) {
        const std::string_view word = found_[known_];
        found_[known_ + 1] = word.empty() ? word : lwsNextWord(line_, word, known_);
      }
      return found_[i];
    }
    std::string_view word = (*this)[kKept - 1];
    for (size_t at = kKept - 1; at < i && !word.empty(); ++at) word = lwsNextWord(line_, word, at);
    return word;
  }
  // The text after the keyword and one blank: a name, blanks kept.
  std::string_view rest() const {
    if (keyword_.empty()) return {};
    const size_t end = static_cast<size_t>(keyword_.data() + keyword_.size() - line_.data());
    return end < line_.size() ? line_.substr(end + 1) : std::string_view();
  }

 private:
  static constexpr size_t kKept = 4;
  std::string_view line_;
  std::string_view keyword_;
  mutable std::array<std::string_view, kKept> found_{};
  mutable size_t known_ = 0;  // found_[0..known_] are found
};

class LwsReader {
 public:
  // `incoming`, when given, is still reading `text`: the lines are read as
  // far as it has come.
  LwsReader(LwsDocument &document, std::string_view text, StreamedInput *incoming)
      : document_(document),
        text_(text),
        visible_(incoming ? std::string_view() : text),
        incoming_(incoming) {
    Scene scratch;
    for (ItemType type : {ItemType::kObject, ItemType::kLight, ItemType::kCamera, ItemType::kBone}) {
      defaults_[typeSlot(type)] = modelledValues(*scratch.find(scratch.addItem(type, "")));
    }
    defaults_[typeSlot(ItemType::kBone)].flags |= kItemBoneMultiply;  // as a new root bone starts
  }

  void read();
  Scene &scene() { return scene_; }

 private:
  // The next line, waiting for the file to be read that far. Inline: it
  // runs for every line.
  bool nextLine(LwsLineCutter &cutter, LwsLine &line) {
    return cutter.next(line) || nextLineRead(cutter, line);
  }
  bool nextLineRead(LwsLineCutter &cutter, LwsLine &line);
  bool seeMore();
  void readHeader(LwsLineCutter &cutter);
  void readLines(LwsLineCutter &cutter, LwsBlocks &blocks, std::vector<size_t> &opened);
  void readLine(const LwsLine &line, std::string_view keyword, LwsBlocks &blocks);
  void declare(const LwsLine &line, const LineWords &words, LwsKeyword kind);
  void readKeyword(PendingItem &item, const LwsLine &line, const LineWords &words, LwsKeyword kind);
  // The line at `lineBegin` and the lines after it belong to `owner` (0:
  // the scene): the lines before it make a segment of the previous owner.
  void belongFrom(size_t lineBegin, ItemID owner);
  void closeSegment(size_t end);
  void link();
  const PendingItem &parentOf(const PendingItem &pending) const;
  void snapshot();

  size_t offsetOf(const LwsLine &line, std::string_view word) const {
    return word.empty() ? line.begin + line.text.size()
                        : line.begin + static_cast<size_t>(word.data() - line.text.data());
  }
  long integer(const LwsLine &line, const LineWords &words, size_t i, long low, long high,
               std::string_view what) const;
  double real(const LwsLine &line, const LineWords &words, size_t i, std::string_view what) const;
  ItemID fileId(const LwsLine &line, const LineWords &words, size_t i, ItemType type) const;

  LwsDocument &document_;
  std::string_view text_;     // the whole file
  std::string_view visible_;  // what is read of it, up to a line break or the end
  StreamedInput *incoming_;
  size_t searched_ = 0;  // for the last line break read
  std::array<LwsValues, kItemTypeCount> defaults_;
  std::vector<PendingItem> items_;
  FileIdIndex byFileId_;  // the file's IDs: index in items_
  std::array<uint32_t, kItemTypeCount> counts_{};
  std::vector<uint32_t> boneCounts_;  // per object, for version 3 numbering
  int32_t current_ = -1;              // the item the lines belong to; -1: the scene
  int32_t lastObject_ = -1;
  size_t segmentBegin_ = 0;  // of the lines not yet in a segment
  ItemID segmentOwner_ = 0;
  Scene scene_;
};

void LwsReader::read() {
  LwsLineCutter cutter(visible_);
  readHeader(cutter);
  LwsBlocks blocks;
  std::vector<size_t> opened;  // where each open block starts
  readLines(cutter, blocks, opened);
  closeSegment(text_.size());
  if (!opened.empty()) {
    failAt(opened.back(), "this block is never closed: expected \"}\" on a line of its own");
  }
  link();
}

bool LwsReader::nextLineRead(LwsLineCutter &cutter, LwsLine &line) {
  while (!cutter.next(line)) {
    if (!seeMore()) return false;
    cutter.extend(visible_);
  }
  return true;
}

// Waits for at least one more whole line of the file, or its end. False
// when all of it has been seen.
bool LwsReader::seeMore() {
  if (visible_.size() == text_.size()) return false;
  for (;;) {
    const size_t read = incoming_->waitBeyond(searched_);
    if (read == text_.size()) {
      visible_ = text_;
      return true;
    }
    const size_t lastBreak = text_.substr(searched_, read - searched_).rfind('\n');
    const size_t lineStart = lastBreak == std::string_view::npos ? 0 : searched_ + lastBreak + 1;
    searched_ = read;
    if (lineStart > visible_.size()) {
      visible_ = text_.substr(0, lineStart);
      return true;
    }
  }
}

void LwsReader::readLines(LwsLineCutter &cutter, LwsBlocks &blocks, std::vector<size_t> &opened) {
  LwsLine line;
  std::string_view keyword;
  for (;;) {
    // Most lines lie inside envelopes and change nothing: most of them go by
    // in one step.
    const bool plain = blocks.inPlainBlock();
    if (plain) cutter.skipLinesWithoutBrace();
    if (!nextLine(cutter, line)) break;
    const char *const bytes = visible_.data();
    const size_t textEnd = line.begin + line.text.size();
    const size_t first = cutter.firstNonBlank(line);
    // Inside a block whose keys are not wanted only a brace changes anything.
    if (plain && (first == textEnd || (bytes[first] != '{' && bytes[first] != '}'))) continue;
    keyword = std::string_view(bytes + first, cutter.wordEnd(line, first) - first);
    const std::optional<LwsBlocks::Role> role =
        blocks.seeWord(std::string_view(bytes + first, textEnd - first), keyword);
    if (!role) failAt(offsetOf(line, keywordOf(line.text)), "\"}\" closes no block");
    if (*role == LwsBlocks::Role::kOpen) opened.push_back(first);
    if (*role == LwsBlocks::Role::kClose) opened.pop_back();
    if (*role == LwsBlocks::Role::kTopLevel) {
      readLine(line, keyword, blocks);
    } else if (*role == LwsBlocks::Role::kPositionKey && current_ >= 0) {
      const LineWords words(line.text, keyword);
      items_[current_].values.position[blocks.channel()] = real(line, words, 1, "the key's value");
    }
  }
}

void LwsReader::readHeader(LwsLineCutter &cutter) {
  LwsLine line;
  if (!nextLine(cutter, line) || line.text != "LWSC") {
    failAt(0, "not a Layout scene file: expected \"LWSC\" on the first line");
  }
  // The first line's break, two bytes when it is a carriage return and a line feed.
  document_.lineEnd = line.end - (line.begin + line.text.size()) == 2 ? "\r\n" : "\n";
  if (!nextLine(cutter, line)) failAt(text_.size(), "expected the format version 3, 4 or 5 on line 2");
  const LwsWords words(line.text);
  const std::optional<long> version = parseLwsInteger(words[0]);
  if (!version || *version < 3 || *version > 5 || words.count != 1) {
    failAt(offsetOf(line, words[0]), "expected the format version 3, 4 or 5, got " + quoted(line.text));
  }
  document_.version = static_cast<int>(*version);
}

void LwsReader::readLine(const LwsLine &line, std::string_view keyword, LwsBlocks &blocks) {
  const LwsKeyword kind = lwsKeyword(keyword);
  if (kind == LwsKeyword::kOther) return;
  const LineWords words(line.text, keyword);
  if (declaresItem(kind)) {
    blocks.forgetChannel();
    declare(line, words, kind);
    return;
  }
  if (kind == LwsKeyword::kSceneWide) {
    current_ = -1;
    belongFrom(line.begin, 0);
    return;
  }
  if (current_ < 0) return;
  if (items_[current_].type == ItemType::kBone && isObjectKeywordAfterBones(kind)) {
    current_ = items_[current_].ownerIndex;
    belongFrom(line.begin, items_[current_].hostId);
  }
  readKeyword(items_[current_], line, words, kind);
}

void LwsReader::declare(const LwsLine &line, const LineWords &words, LwsKeyword kind) {
  const std::string_view keyword = words[0];
  const bool withIds = document_.version >= 4;
  PendingItem item{};
  item.declaredAt = line.begin;
  if (kind == LwsKeyword::kLoadObjectLayer || kind == LwsKeyword::kLoadObject) {
    item.type = ItemType::kObject;
    const bool layered = kind == LwsKeyword::kLoadObjectLayer;
    if (layered) integer(line, words, 1, 0, 1L << 30, "a layer number");
    const size_t idWord = layered ? 2 : 1;
    if (withIds) item.fileId = fileId(line, words, idWord, ItemType::kObject);
    const std::string_view last = words[withIds ? idWord : idWord - 1];
    const std::string_view path = after(line.text, last);
    if (path.empty()) failAt(offsetOf(line, {}), std::string(keyword) + ": expected the object's file");
    item.name = objectNameOf(path);
  } else if (kind == LwsKeyword::kAddNullObject) {
    item.type = ItemType::kObject;
    if (withIds) item.fileId = fileId(line, words, 1, ItemType::kObject);
    item.name = withIds ? after(line.text, words[1]) : words.rest();
  } else {
    item.type = kind == LwsKeyword::kAddBone    ? ItemType::kBone
                : kind == LwsKeyword::kAddLight ? ItemType::kLight
                                                : ItemType::kCamera;
    if (withIds) item.fileId = fileId(line, words, 1, item.type);
    item.name = item.type == ItemType::kBone ? "Bone" : item.type == ItemType::kLight ? "Light" : "Camera";
  }
  const int slot = typeSlot(item.type);
  item.values = defaults_[slot];
  if (kind == LwsKeyword::kAddNullObject) item.values.flags |= kItemNull;
  if (counts_[slot] >= kMaxItemsPerType) {
    failAt(line.begin, "no room in the scene for another " + std::string(itemTypeName(item.type)));
  }
  item.hostId = makeItemId(item.type, counts_[slot]++);
  if (item.type == ItemType::kBone) {
    if (lastObject_ < 0) failAt(line.begin, "AddBone: no object before it to own the bone");
    item.ownerIndex = lastObject_;
    item.owner = items_[lastObject_].hostId;
    if (!withIds) {
      const uint32_t objectNumber = itemIndex(item.owner);
      const uint32_t boneNumber = boneCounts_[objectNumber]++;
      item.fileId = makeItemId(ItemType::kBone, ((boneNumber & 0xFFF) << 16) | (objectNumber & 0xFFFF));
    }
  } else if (!withIds) {
    item.fileId = item.hostId;
  }
  if (item.type == ItemType::kObject) {
    lastObject_ = static_cast<int32_t>(items_.size());
    boneCounts_.push_back(0);
  }
  if (const std::optional<uint32_t> known =
          byFileId_.add(item.fileId, static_cast<uint32_t>(items_.size()))) {
    const int firstLine = textPosition(text_, items_[*known].declaredAt).line;
    failAt(
        offsetOf(line, words[kind == LwsKeyword::kLoadObjectLayer ? 2 : 1]),
        hexId(item.fileId) + " is already the ID of the item declared on line " + std::to_string(firstLine));
  }
  current_ = static_cast<int32_t>(items_.size());
  items_.push_back(item);
  belongFrom(line.begin, item.hostId);
}

void LwsReader::readKeyword(PendingItem &item, const LwsLine &line, const LineWords &words, LwsKeyword kind) {
  LwsValues &values = item.values;
  const ItemType type = item.type;
  const auto flag = [&](ItemFlag bit, bool on) {
    values.flags = on ? values.flags | bit : values.flags & ~bit;
  };
  const auto show = [&] {
    const long visibility = integer(line, words, 1, 0, 7, "a visibility");
    // Other items than objects are either hidden or shown.
    values.visibility = static_cast<uint8_t>(type == ItemType::kObject ? visibility : visibility != 0);
    // -1: a colour of its own, given as red, green and blue after it; the
    // host keeps its palette colour for the item then.
    const long colour = integer(line, words, 2, -1, 14, "a colour");
    if (colour >= 0) values.colour = static_cast<uint8_t>(colour);
  };
  if (kind == LwsKeyword::kParentItem) {
    item.parentFileId = fileId(line, words, 1, ItemType{});
    item.parentAt = offsetOf(line, words[1]);
    return;
  }
  switch (type) {
    case ItemType::kObject:
      switch (kind) {
        case LwsKeyword::kShowObject:
          show();
          break;
        case LwsKeyword::kShadowOptions: {
          const long bits = integer(line, words, 1, 0, 7, "shadow options");
          flag(kItemSelfShadow, bits & 1);
          flag(kItemCastShadow, bits & 2);
          flag(kItemReceiveShadow, bits & 4);
          break;
        }
        case LwsKeyword::kUnseenByRays:
          flag(kItemUnseenByRays, integer(line, words, 1, 0, 1, "0 or 1"));
          break;
        case LwsKeyword::kUnseenByCamera:
          flag(kItemUnseenByCamera, integer(line, words, 1, 0, 1, "0 or 1"));
          break;
        case LwsKeyword::kUnseenByRadiosity:
          flag(kItemUnseenByRadiosity, integer(line, words, 1, 0, 1, "0 or 1"));
          break;
        case LwsKeyword::kUnaffectedByFog:
          flag(kItemUnaffectedByFog, integer(line, words, 1, 0, 1, "0 or 1"));
          break;
        case LwsKeyword::kObjectAlphaMode:
          values.alphaMode = static_cast<uint8_t>(integer(line, words, 1, 0, 2, "an alpha mode"));
          break;
        default:
          break;
      }
      return;
    case ItemType::kBone:
      switch (kind) {
        case LwsKeyword::kBoneName:
          item.name = words.rest();
          break;
        case LwsKeyword::kShowBone:
          show();
          break;
        case LwsKeyword::kBoneActive:
          flag(kItemActive, integer(line, words, 1, 0, 1, "0 or 1"));
          break;
        case LwsKeyword::kBoneRestLength:
          values.restLength = real(line, words, 1, "a rest length");
          break;
        case LwsKeyword::kBoneStrength:
          values.strength = real(line, words, 1, "a strength");
          break;
        case LwsKeyword::kScaleBoneStrength:
          flag(kItemBoneMultiply, integer(line, words, 1, 0, 1, "0 or 1"));
          break;
        case LwsKeyword::kBoneType:
          values.boneType = static_cast<uint8_t>(integer(line, words, 1, 0, 1, "a bone type"));
          break;
        default:
          break;
      }
      return;
    case ItemType::kLight:
      if (kind == LwsKeyword::kLightName) item.name = words.rest();
      if (kind == LwsKeyword::kShowLight) show();
      return;
    case ItemType::kCamera:
      if (kind == LwsKeyword::kCameraName) item.name = words.rest();
      if (kind == LwsKeyword::kShowCamera) show();
      return;
  }
}

void LwsReader::belongFrom(size_t lineBegin, ItemID owner) {
  if (owner == segmentOwner_) return;
  closeSegment(lineBegin);
  segmentBegin_ = lineBegin;
  segmentOwner_ = owner;
}

void LwsReader::closeSegment(size_t end) {
  const std::string_view text = text_;
  size_t begin = segmentBegin_;
  while (end - begin > UINT32_MAX) {
    // Longer than a segment holds: as many whole lines as fit, then a new segment.
    const size_t lastBreak = text.rfind('\n', begin + UINT32_MAX - 1);
    if (lastBreak == std::string_view::npos || lastBreak < begin) {
      failAt(begin, "this line is longer than 4 GiB, more than a scene file line can hold");
    }
    document_.segments.push_back({begin, static_cast<uint32_t>(lastBreak + 1 - begin), segmentOwner_});
    begin = lastBreak + 1;
  }
  if (end > begin) document_.segments.push_back({begin, static_cast<uint32_t>(end - begin), segmentOwner_});
}

long LwsReader::integer(const LwsLine &line, const LineWords &words, size_t i, long low, long high,
                        std::string_view what) const {
  const std::optional<long> value = parseLwsInteger(words[i]);
  if (!value || *value < low || *value > high) {
    failAt(offsetOf(line, words[i]), std::string(words[0]) + ": expected " + std::string(what) + " " +
                                         std::to_string(low) + "-" + std::to_string(high) + ", got " +
                                         quoted(words[i]));
  }
  return *value;
}

double LwsReader::real(const LwsLine &line, const LineWords &words, size_t i, std::string_view what) const {
  const std::optional<double> value = parseLwsReal(words[i]);
  if (!value) {
    failAt(offsetOf(line, words[i]), std::string(words[0]) + ": expected " + std::string(what) +
                                         " (a number), got " + quoted(words[i]));
  }
  return *value;
}

// `type` ItemType{}: any type.
ItemID LwsReader::fileId(const LwsLine &line, const LineWords &words, size_t i, ItemType type) const {
  const std::optional<ItemID> id = parseLwsId(words[i]);
  const uint32_t bits = id ? itemTypeBits(*id) : 0;
  if (!id || bits < 1 || bits > kItemTypeCount) {
    failAt(offsetOf(line, words[i]), std::string(words[0]) +
                                         ": expected an item ID (8 hexadecimal digits, the first 1-4), got " +
                                         quoted(words[i]));
  }
  if (type != ItemType{} && !isItemType(*id, type)) {
    failAt(offsetOf(line, words[i]), std::string(words[0]) + ": " + hexId(*id) + " is " +
                                         withArticle(static_cast<ItemType>(bits)) + " ID, expected " +
                                         withArticle(type) + " ID");
  }
  return *id;
}

// Most parents are the item just before, as in a chain, or the bone's
// object; the index is asked only for the others.
const PendingItem &LwsReader::parentOf(const PendingItem &pending) const {
  const size_t place = static_cast<size_t>(&pending - items_.data());
  if (place > 0 && items_[place - 1].fileId == pending.parentFileId) return items_[place - 1];
  if (pending.ownerIndex >= 0 && items_[pending.ownerIndex].fileId == pending.parentFileId) {
    return items_[pending.ownerIndex];
  }
  const std::optional<uint32_t> found = byFileId_.find(pending.parentFileId);
  if (!found)
    failAt(pending.parentAt, "ParentItem: no item " + hexId(pending.parentFileId) + " in this file");
  return items_[*found];
}

void LwsReader::link() {
  std::vector<ItemID> order;
  order.reserve(items_.size());
  for (const PendingItem &pending : items_) {
    scene_.addItem(pending.type, pending.name);
    order.push_back(pending.hostId);
  }
  for (const PendingItem &pending : items_) {
    Item &item = *scene_.find(pending.hostId);
    const LwsValues &values = pending.values;
    item.owner = pending.owner;
    std::copy_n(values.position, 3, item.position);
    item.restLength = values.restLength;
    item.strength = values.strength;
    item.flags = values.flags;
    item.visibility = values.visibility;
    item.colour = values.colour;
    item.alphaMode = values.alphaMode;
    item.boneType = values.boneType;
    if (!pending.parentFileId) continue;
    const PendingItem &parent = parentOf(pending);
    if (&parent == &pending) failAt(pending.parentAt, "ParentItem: an item cannot be its own parent");
    if (pending.type != ItemType::kBone) {
      item.parent = parent.hostId;
    } else if (parent.hostId != pending.owner) {
      if (parent.type != ItemType::kBone || parent.owner != pending.owner) {
        failAt(pending.parentAt, "ParentItem: a bone hangs from its own object " +
                                     hexId(items_[pending.ownerIndex].fileId) + " or one of its bones, not " +
                                     hexId(parent.fileId));
      }
      item.parent = parent.hostId;
    }
  }
  const std::vector<ItemID> loop = findParentLoop(scene_, order);
  if (!loop.empty()) {
    // Told in the file's own IDs, at the parent line of the member the file
    // lists first, which the loop starts with.
    std::unordered_map<ItemID, ItemID> fileIds;
    const PendingItem *first = nullptr;
    for (ItemID id : loop) fileIds.emplace(id, 0);
    for (const PendingItem &pending : items_) {
      const auto member = fileIds.find(pending.hostId);
      if (member == fileIds.end()) continue;
      member->second = pending.fileId;
      if (pending.hostId == loop.front()) first = &pending;
    }
    std::vector<ItemID> inFile;
    for (ItemID id : loop) inFile.push_back(fileIds[id]);
    failAt(first->parentFileId ? first->parentAt : first->declaredAt,
           hexId(first->fileId) + " is its own ancestor: " + describeLoop(inFile));
  }
  snapshot();
}

void LwsReader::snapshot() {
  for (size_t slot = 0; slot < kItemTypeCount; ++slot) {
    document_.fileIds[slot].reserve(counts_[slot]);
    document_.values[slot].reserve(counts_[slot]);
  }
  for (const PendingItem &pending : items_) {
    const int slot = typeSlot(pending.type);
    document_.fileIds[slot].push_back(pending.fileId);
    document_.values[slot].push_back(modelledValues(*scene_.find(pending.hostId)));
  }
}

}  // namespace

LwsValues modelledValues(const Item &item) {
  LwsValues values;
  values.parent = item.parent;
  std::copy_n(item.position, 3, values.position);
  values.restLength = item.restLength;
  values.strength = item.strength;
  values.flags = item.flags & ~kItemSelected;
  values.visibility = item.visibility;
  values.colour = item.colour;
  values.alphaMode = item.alphaMode;
  values.boneType = item.boneType;
  return values;
}

bool isLwsPath(std::string_view path) {
  if (path.size() < 4) return false;
  std::string extension(path.substr(path.size() - 4));
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](char c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c); });
  return extension == ".lws";
}

namespace {

// Reads `text` into `read`; `incoming`, when given, is still reading it and
// hands it over at the end. A mistake is told once the whole file is read,
// so that a file that cannot be read is reported as such, as it would be
// had it been read first.
std::optional<FileError> readLwsText(std::unique_ptr<LwsDocument> read, std::string_view text,
                                     StreamedInput *incoming, const std::string &fileName, Host &host,
                                     std::unique_ptr<LwsDocument> &document) {
  LwsReader reader(*read, text, incoming);
  try {
    reader.read();
  } catch (const LwsProblem &problem) {
    const FileText whole = incoming ? incoming->finish() : FileText();
    const TextPosition position = textPosition(text, problem.offset);
    return FileError{fileName, position.line, position.column, problem.message,
                     std::string(lineOf(text, position.line))};
  }
  if (incoming) read->text = incoming->finish();
  host.scene().replace(std::move(reader.scene()));
  host.setBuild(kDefaultHostBuild);
  host.setDynamicUpdate(0);
  document = std::move(read);
  return std::nullopt;
}

}  // namespace

std::optional<FileError> readLwsScene(std::string text, const std::string &fileName, Host &host,
                                      std::unique_ptr<LwsDocument> &document) {
  auto read = std::make_unique<LwsDocument>();
  read->text = FileText(std::move(text));
  const std::string_view bytes = read->text;
  return readLwsText(std::move(read), bytes, nullptr, fileName, host, document);
}

std::optional<FileError> readLwsScene(StreamedInput &input, const std::string &fileName, Host &host,
                                      std::unique_ptr<LwsDocument> &document) {
  return readLwsText(std::make_unique<LwsDocument>(), input.text(), &input, fileName, host, document);
}

}  // namespace layout

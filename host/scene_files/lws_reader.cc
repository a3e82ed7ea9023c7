// Reading Layout scene files: the items and what the host models of them go
// into a scene; every line, modelled or not, goes into the document's
// segments, each with the item it belongs to, so that a save can give the
// file back byte for byte.
#include <algorithm>
#include <array>
#include <unordered_map>

#include "host/scene/parent_loops.h"
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

class LwsReader {
 public:
  explicit LwsReader(LwsDocument &document) : document_(document) {
    Scene scratch;
    for (ItemType type : {ItemType::kObject, ItemType::kLight, ItemType::kCamera, ItemType::kBone}) {
      defaults_[typeSlot(type)] = modelledValues(*scratch.find(scratch.addItem(type, "")));
    }
    defaults_[typeSlot(ItemType::kBone)].flags |= kItemBoneMultiply;  // as a new root bone starts
  }

  void read();
  Scene &scene() { return scene_; }

 private:
  void readHeader(LwsLineCutter &cutter);
  void readLine(const LwsLine &line, LwsBlocks &blocks);
  void declare(const LwsLine &line, const LwsWords &words);
  void readKeyword(PendingItem &item, const LwsLine &line, const LwsWords &words);
  void addToSegment(const LwsLine &line);
  void link();
  void snapshot();

  size_t offsetOf(const LwsLine &line, std::string_view word) const {
    return word.empty() ? line.begin + line.text.size()
                        : line.begin + static_cast<size_t>(word.data() - line.text.data());
  }
  long integer(const LwsLine &line, const LwsWords &words, size_t i, long low, long high,
               std::string_view what) const;
  double real(const LwsLine &line, const LwsWords &words, size_t i, std::string_view what) const;
  ItemID fileId(const LwsLine &line, const LwsWords &words, size_t i, ItemType type) const;

  LwsDocument &document_;
  std::array<LwsValues, kItemTypeCount> defaults_;
  std::vector<PendingItem> items_;
  std::unordered_map<ItemID, uint32_t> byFileId_;  // the file's IDs: index in items_
  std::array<uint32_t, kItemTypeCount> counts_{};
  std::vector<uint32_t> boneCounts_;  // per object, for version 3 numbering
  int32_t current_ = -1;              // the item the lines belong to; -1: the scene
  int32_t lastObject_ = -1;
  Scene scene_;
};

void LwsReader::read() {
  LwsLineCutter cutter(document_.text);
  readHeader(cutter);
  LwsBlocks blocks;
  LwsLine line;
  std::vector<std::pair<size_t, int>> opened;  // where each open block starts
  while (cutter.next(line)) {
    const std::optional<LwsBlocks::Role> role = blocks.see(line.text);
    if (!role) failAt(offsetOf(line, keywordOf(line.text)), "\"}\" closes no block");
    if (*role == LwsBlocks::Role::kOpen)
      opened.emplace_back(line.begin + (line.text.size() - trimmedStart(line.text).size()), cutter.number());
    if (*role == LwsBlocks::Role::kClose) opened.pop_back();
    if (*role == LwsBlocks::Role::kTopLevel) {
      readLine(line, blocks);
    } else if (*role == LwsBlocks::Role::kPositionKey && current_ >= 0) {
      const LwsWords words(line.text);
      items_[current_].values.position[blocks.channel()] = real(line, words, 1, "the key's value");
    }
    addToSegment(line);
  }
  if (!opened.empty()) {
    failAt(opened.back().first, "this block is never closed: expected \"}\" on a line of its own");
  }
  link();
}

void LwsReader::readHeader(LwsLineCutter &cutter) {
  LwsLine line;
  if (!cutter.next(line) || line.text != "LWSC") {
    failAt(0, "not a Layout scene file: expected \"LWSC\" on the first line");
  }
  const size_t end = document_.text.find('\n');
  document_.lineEnd = end != std::string::npos && end > 0 && document_.text[end - 1] == '\r' ? "\r\n" : "\n";
  addToSegment(line);
  if (!cutter.next(line)) failAt(document_.text.size(), "expected the format version 3, 4 or 5 on line 2");
  const LwsWords words(line.text);
  const std::optional<long> version = parseLwsInteger(words[0]);
  if (!version || *version < 3 || *version > 5 || words.count != 1) {
    failAt(offsetOf(line, words[0]), "expected the format version 3, 4 or 5, got " + quoted(line.text));
  }
  document_.version = static_cast<int>(*version);
  addToSegment(line);
}

void LwsReader::readLine(const LwsLine &line, LwsBlocks &blocks) {
  const LwsWords words(line.text);
  const std::string_view keyword = words[0];
  if (declaresItem(keyword)) {
    blocks.forgetChannel();
    declare(line, words);
    return;
  }
  if (isSceneWideKeyword(keyword)) {
    current_ = -1;
    return;
  }
  if (current_ < 0) return;
  if (items_[current_].type == ItemType::kBone && isObjectKeywordAfterBones(keyword)) {
    current_ = items_[current_].ownerIndex;
  }
  readKeyword(items_[current_], line, words);
}

void LwsReader::declare(const LwsLine &line, const LwsWords &words) {
  const std::string_view keyword = words[0];
  const bool withIds = document_.version >= 4;
  PendingItem item{};
  item.declaredAt = line.begin;
  if (keyword == "LoadObjectLayer" || keyword == "LoadObject") {
    item.type = ItemType::kObject;
    const bool layered = keyword == "LoadObjectLayer";
    if (layered) integer(line, words, 1, 0, 1L << 30, "a layer number");
    const size_t idWord = layered ? 2 : 1;
    if (withIds) item.fileId = fileId(line, words, idWord, ItemType::kObject);
    const std::string_view last = words[withIds ? idWord : idWord - 1];
    const std::string_view path = after(line.text, last);
    if (path.empty()) failAt(offsetOf(line, {}), std::string(keyword) + ": expected the object's file");
    item.name = objectNameOf(path);
  } else if (keyword == "AddNullObject") {
    item.type = ItemType::kObject;
    if (withIds) item.fileId = fileId(line, words, 1, ItemType::kObject);
    item.name = withIds ? after(line.text, words[1]) : words.rest;
  } else {
    item.type = keyword == "AddBone"    ? ItemType::kBone
                : keyword == "AddLight" ? ItemType::kLight
                                        : ItemType::kCamera;
    if (withIds) item.fileId = fileId(line, words, 1, item.type);
    item.name = item.type == ItemType::kBone ? "Bone" : item.type == ItemType::kLight ? "Light" : "Camera";
  }
  const int slot = typeSlot(item.type);
  item.values = defaults_[slot];
  if (keyword == "AddNullObject") item.values.flags |= kItemNull;
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
  const auto [known, added] = byFileId_.emplace(item.fileId, static_cast<uint32_t>(items_.size()));
  if (!added) {
    const int firstLine = textPosition(document_.text, items_[known->second].declaredAt).line;
    failAt(
        offsetOf(line, words[keyword == "LoadObjectLayer" ? 2 : 1]),
        hexId(item.fileId) + " is already the ID of the item declared on line " + std::to_string(firstLine));
  }
  current_ = static_cast<int32_t>(items_.size());
  items_.push_back(item);
}

void LwsReader::readKeyword(PendingItem &item, const LwsLine &line, const LwsWords &words) {
  const std::string_view keyword = words[0];
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
  if (keyword == "ParentItem") {
    item.parentFileId = fileId(line, words, 1, ItemType{});
    item.parentAt = offsetOf(line, words[1]);
    return;
  }
  switch (type) {
    case ItemType::kObject:
      if (keyword == "ShowObject") {
        show();
      } else if (keyword == "ShadowOptions") {
        const long bits = integer(line, words, 1, 0, 7, "shadow options");
        flag(kItemSelfShadow, bits & 1);
        flag(kItemCastShadow, bits & 2);
        flag(kItemReceiveShadow, bits & 4);
      } else if (keyword == "UnseenByRays") {
        flag(kItemUnseenByRays, integer(line, words, 1, 0, 1, "0 or 1"));
      } else if (keyword == "UnseenByCamera") {
        flag(kItemUnseenByCamera, integer(line, words, 1, 0, 1, "0 or 1"));
      } else if (keyword == "UnseenByRadiosity") {
        flag(kItemUnseenByRadiosity, integer(line, words, 1, 0, 1, "0 or 1"));
      } else if (keyword == "UnaffectedByFog") {
        flag(kItemUnaffectedByFog, integer(line, words, 1, 0, 1, "0 or 1"));
      } else if (keyword == "ObjectAlphaMode") {
        values.alphaMode = static_cast<uint8_t>(integer(line, words, 1, 0, 2, "an alpha mode"));
      }
      return;
    case ItemType::kBone:
      if (keyword == "BoneName") {
        item.name = words.rest;
      } else if (keyword == "ShowBone") {
        show();
      } else if (keyword == "BoneActive") {
        flag(kItemActive, integer(line, words, 1, 0, 1, "0 or 1"));
      } else if (keyword == "BoneRestLength") {
        values.restLength = real(line, words, 1, "a rest length");
      } else if (keyword == "BoneStrength") {
        values.strength = real(line, words, 1, "a strength");
      } else if (keyword == "ScaleBoneStrength") {
        flag(kItemBoneMultiply, integer(line, words, 1, 0, 1, "0 or 1"));
      } else if (keyword == "BoneType") {
        values.boneType = static_cast<uint8_t>(integer(line, words, 1, 0, 1, "a bone type"));
      }
      return;
    case ItemType::kLight:
      if (keyword == "LightName") item.name = words.rest;
      if (keyword == "ShowLight") show();
      return;
    case ItemType::kCamera:
      if (keyword == "CameraName") item.name = words.rest;
      if (keyword == "ShowCamera") show();
      return;
  }
}

void LwsReader::addToSegment(const LwsLine &line) {
  const ItemID owner = current_ < 0 ? 0 : items_[current_].hostId;
  std::vector<LwsSegment> &segments = document_.segments;
  const uint64_t length = line.end - line.begin;
  if (!segments.empty() && segments.back().item == owner && segments.back().length + length <= UINT32_MAX) {
    segments.back().length += static_cast<uint32_t>(length);
    return;
  }
  segments.push_back({line.begin, static_cast<uint32_t>(length), owner});
}

long LwsReader::integer(const LwsLine &line, const LwsWords &words, size_t i, long low, long high,
                        std::string_view what) const {
  const std::optional<long> value = parseLwsInteger(words[i]);
  if (!value || *value < low || *value > high) {
    failAt(offsetOf(line, words[i]), std::string(words[0]) + ": expected " + std::string(what) + " " +
                                         std::to_string(low) + "-" + std::to_string(high) + ", got " +
                                         quoted(words[i]));
  }
  return *value;
}

double LwsReader::real(const LwsLine &line, const LwsWords &words, size_t i, std::string_view what) const {
  const std::optional<double> value = parseLwsReal(words[i]);
  if (!value) {
    failAt(offsetOf(line, words[i]), std::string(words[0]) + ": expected " + std::string(what) +
                                         " (a number), got " + quoted(words[i]));
  }
  return *value;
}

// `type` ItemType{}: any type.
ItemID LwsReader::fileId(const LwsLine &line, const LwsWords &words, size_t i, ItemType type) const {
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
    const auto found = byFileId_.find(pending.parentFileId);
    if (found == byFileId_.end()) {
      failAt(pending.parentAt, "ParentItem: no item " + hexId(pending.parentFileId) + " in this file");
    }
    const PendingItem &parent = items_[found->second];
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

std::optional<FileError> readLwsScene(std::string text, const std::string &fileName, Host &host,
                                      std::unique_ptr<LwsDocument> &document) {
  auto read = std::make_unique<LwsDocument>();
  read->text = std::move(text);
  LwsReader reader(*read);
  try {
    reader.read();
  } catch (const LwsProblem &problem) {
    const TextPosition position = textPosition(read->text, problem.offset);
    return FileError{fileName, position.line, position.column, problem.message,
                     std::string(lineOf(read->text, position.line))};
  }
  host.scene().replace(std::move(reader.scene()));
  host.setBuild(kDefaultHostBuild);
  host.setDynamicUpdate(0);
  document = std::move(read);
  return std::nullopt;
}

}  // namespace layout

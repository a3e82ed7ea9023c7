// Writing Layout scene files. Without a document every item is written as
// Layout writes a new one. Over a document, the file's segments are copied as
// they were read; an item whose modelled values changed has only the lines of
// those values written anew, and new items are put where Layout puts them:
// nulls after the last object, bones after the last bone of their object.
#include <algorithm>
#include <bit>
#include <cstring>
#include <optional>
#include <span>
#include <unordered_map>
#include <unordered_set>

#include "host/scene_files/lws_file.h"
#include "host/scene_files/lws_lines.h"

namespace layout {
namespace {

// The modelled values a file holds, one bit each, to say what changed.
enum Field : uint32_t {
  kParentField = 1 << 0,
  kPositionField = 1 << 1,  // and 1 << 2, 1 << 3 for y and z
  kShowField = 1 << 4,
  kShadowField = 1 << 5,
  kRaysField = 1 << 6,
  kCameraField = 1 << 7,
  kRadiosityField = 1 << 8,
  kFogField = 1 << 9,
  kAlphaField = 1 << 10,
  kActiveField = 1 << 11,
  kRestLengthField = 1 << 12,
  kStrengthField = 1 << 13,
  kMultiplyField = 1 << 14,
  kBoneTypeField = 1 << 15,
};

constexpr uint32_t positionField(int axis) { return kPositionField << axis; }
constexpr uint32_t kAnyPosition = positionField(0) | positionField(1) | positionField(2);

struct FlagLine {
  std::string_view keyword;
  ItemFlag flag;
  Field field;
};
constexpr std::array<FlagLine, 4> kRenderFlags = {
    {{"UnseenByRays", kItemUnseenByRays, kRaysField},
     {"UnseenByCamera", kItemUnseenByCamera, kCameraField},
     {"UnseenByRadiosity", kItemUnseenByRadiosity, kRadiosityField},
     {"UnaffectedByFog", kItemUnaffectedByFog, kFogField}}};

constexpr uint16_t kShadows = kItemSelfShadow | kItemCastShadow | kItemReceiveShadow;

bool sameReal(double a, double b) { return std::bit_cast<uint64_t>(a) == std::bit_cast<uint64_t>(b); }

uint32_t changedFields(ItemType type, const LwsValues &was, const LwsValues &now) {
  uint32_t fields = 0;
  const auto differs = [&](uint16_t flags) { return (was.flags & flags) != (now.flags & flags); };
  if (was.parent != now.parent) fields |= kParentField;
  for (int axis = 0; axis < 3; ++axis) {
    if (!sameReal(was.position[axis], now.position[axis])) fields |= positionField(axis);
  }
  if (was.visibility != now.visibility || was.colour != now.colour) fields |= kShowField;
  if (type == ItemType::kObject) {
    if (differs(kShadows)) fields |= kShadowField;
    for (const FlagLine &line : kRenderFlags) {
      if (differs(line.flag)) fields |= line.field;
    }
    if (was.alphaMode != now.alphaMode) fields |= kAlphaField;
  }
  if (type == ItemType::kBone) {
    if (differs(kItemActive)) fields |= kActiveField;
    if (!sameReal(was.restLength, now.restLength)) fields |= kRestLengthField;
    if (!sameReal(was.strength, now.strength)) fields |= kStrengthField;
    if (differs(kItemBoneMultiply)) fields |= kMultiplyField;
    if (was.boneType != now.boneType) fields |= kBoneTypeField;
  }
  return fields;
}

std::string_view showKeyword(ItemType type) {
  switch (type) {
    case ItemType::kObject:
      return "ShowObject";
    case ItemType::kLight:
      return "ShowLight";
    case ItemType::kCamera:
      return "ShowCamera";
    case ItemType::kBone:
      return "ShowBone";
  }
  return "";
}

std::string_view motionKeyword(ItemType type) {
  switch (type) {
    case ItemType::kObject:
      return "ObjectMotion";
    case ItemType::kLight:
      return "LightMotion";
    case ItemType::kCamera:
      return "CameraMotion";
    case ItemType::kBone:
      return "BoneMotion";
  }
  return "";
}

// `line` with `word` (which lies in it) replaced by `text`.
std::string replaceWord(std::string_view line, std::string_view word, std::string_view text) {
  const size_t at = static_cast<size_t>(word.data() - line.data());
  std::string result(line.substr(0, at));
  result += text;
  result += line.substr(at + word.size());
  return result;
}

// Where the blank lines at the end of `text` start.
size_t endOfContent(std::string_view text) {
  size_t end = text.size();
  while (end > 0) {
    const size_t last = text[end - 1] == '\n' ? end - 1 : end;
    const size_t newline = last == 0 ? std::string_view::npos : text.rfind('\n', last - 1);
    const size_t start = newline == std::string_view::npos ? 0 : newline + 1;
    if (text.substr(start, end - start).find_first_not_of(" \t\r\n") != std::string_view::npos) return end;
    end = start;
  }
  return 0;
}

void endLine(std::string &out, std::string_view eol) {
  if (!out.empty() && out.back() != '\n') out += eol;
}

struct Insertion {
  size_t segment;
  bool beforeBlankLines;  // bones go before the blank lines ending their anchor
  ItemID item;
};

class LwsWriter {
 public:
  LwsWriter(const Scene &scene, const LwsDocument *document)
      : scene_(scene),
        document_(document),
        version_(document ? document->version : 5),
        eol_(document ? document->lineEnd : "\n") {}

  std::string write() {
    groupBones();
    assignIds();
    std::string out;
    if (document_) {
      overDocument(out);
    } else {
      freshFile(out);
    }
    return out;
  }

 private:
  ItemID fileId(ItemID id) const { return ids_[itemTypeBits(id) - 1][itemIndex(id)]; }
  std::span<const ItemID> bonesOf(ItemID object) const {
    const uint32_t index = itemIndex(object);
    return std::span<const ItemID>(bones_).subspan(boneStart_[index],
                                                   boneStart_[index + 1] - boneStart_[index]);
  }
  LwsValues was(const Item &item) const {
    return document_->values[typeSlot(item.type())][itemIndex(item.id)];
  }

  void groupBones();
  void assignIds();
  void freshFile(std::string &out);
  void overDocument(std::string &out);
  void rewriteItem(std::string &out, std::string_view text, const Item &item, uint32_t fields,
                   uint32_t &found, bool last);
  std::optional<std::string> rewriteLine(std::string_view line, const Item &item, uint32_t fields,
                                         uint32_t &found, LwsBlocks::Role role, int channel, bool &drop);
  void appendMissing(std::string &out, const Item &item, uint32_t missing);

  void line(std::string &out, std::string_view text) const {
    out += text;
    out += eol_;
  }
  void declaration(std::string &out, const Item &item) const;
  void showLine(std::string &out, const Item &item) const;
  void motion(std::string &out, const Item &item) const;
  void parentLine(std::string &out, const Item &item) const;
  void objectTail(std::string &out, const Item &item, uint32_t fields) const;
  void boneKeys(std::string &out, const Item &item, uint32_t fields) const;
  void freshItem(std::string &out, const Item &item) const;
  void freshBone(std::string &out, const Item &bone) const;

  const Scene &scene_;
  const LwsDocument *document_;
  int version_;
  std::string_view eol_;
  std::array<std::vector<ItemID>, kItemTypeCount> ids_;
  std::vector<ItemID> bones_;        // grouped by object, in scene order within each
  std::vector<uint32_t> boneStart_;  // per object index, into bones_; one more at the end
};

void LwsWriter::groupBones() {
  const auto &objects = scene_.items(ItemType::kObject);
  boneStart_.assign(objects.size() + 1, 0);
  const auto &bones = scene_.items(ItemType::kBone);
  for (const Item &bone : bones) ++boneStart_[itemIndex(bone.owner) + 1];
  for (size_t i = 1; i < boneStart_.size(); ++i) boneStart_[i] += boneStart_[i - 1];
  std::vector<uint32_t> next(boneStart_.begin(), boneStart_.end() - 1);
  bones_.resize(bones.size());
  for (const Item &bone : bones) bones_[next[itemIndex(bone.owner)]++] = bone.id;
}

void LwsWriter::assignIds() {
  std::array<uint32_t, kItemTypeCount> nextNumber{};
  std::unordered_set<ItemID> usedBoneIds;
  std::vector<uint32_t> nextBone(scene_.items(ItemType::kObject).size(), 0);
  for (int slot = 0; slot < kItemTypeCount; ++slot) {
    const size_t known = document_ ? document_->fileIds[slot].size() : 0;
    ids_[slot].assign(scene_.items(static_cast<ItemType>(slot + 1)).size(), 0);
    for (size_t i = 0; i < known; ++i) {
      const ItemID id = document_->fileIds[slot][i];
      ids_[slot][i] = id;
      if (slot == typeSlot(ItemType::kBone)) {
        usedBoneIds.insert(id);
        const uint32_t owner = itemIndex(scene_.items(ItemType::kBone)[i].owner);
        nextBone[owner] = std::max(nextBone[owner], ((itemIndex(id) >> 16) & 0xFFF) + 1);
      } else {
        nextNumber[slot] = std::max(nextNumber[slot], itemIndex(id) + 1);
      }
    }
  }
  for (int slot = 0; slot < kItemTypeCount; ++slot) {
    const auto type = static_cast<ItemType>(slot + 1);
    const size_t known = document_ ? document_->fileIds[slot].size() : 0;
    for (size_t i = known; i < ids_[slot].size(); ++i) {
      if (type != ItemType::kBone) {
        if (nextNumber[slot] > kItemIndexMask)
          throw LwsWriteError("too many items to number in a scene file");
        ids_[slot][i] = makeItemId(type, nextNumber[slot]++);
        continue;
      }
      const Item &bone = scene_.items(type)[i];
      const uint32_t object = itemIndex(fileId(bone.owner));
      ItemID id = 0;
      do {
        const uint32_t number = nextBone[itemIndex(bone.owner)]++;
        if (object > 0xFFFF || number > 0xFFF) {
          throw LwsWriteError("a scene file numbers at most 4096 bones in each of the first 65536 objects; " +
                              hexId(bone.owner) + " \"" + std::string(scene_.name(*scene_.find(bone.owner))) +
                              "\" is beyond that");
        }
        id = makeItemId(type, (number << 16) | object);
      } while (usedBoneIds.count(id));
      ids_[slot][i] = id;
    }
  }
}

void LwsWriter::declaration(std::string &out, const Item &item) const {
  const std::string id = version_ >= 4 ? hexId(fileId(item.id)) : std::string();
  const std::string_view name = scene_.name(item);
  switch (item.type()) {
    case ItemType::kObject:
      if (item.has(kItemNull)) {
        line(out, "AddNullObject " + (id.empty() ? "" : id + " ") + std::string(name));
      } else {
        line(out, "LoadObjectLayer 1 " + (id.empty() ? "" : id + " ") + std::string(name) + ".lwo");
      }
      return;
    case ItemType::kBone:
      line(out, id.empty() ? "AddBone" : "AddBone " + id);
      line(out, "BoneName " + std::string(name));
      return;
    case ItemType::kLight:
      line(out, id.empty() ? "AddLight" : "AddLight " + id);
      line(out, "LightName " + std::string(name));
      return;
    case ItemType::kCamera:
      line(out, id.empty() ? "AddCamera" : "AddCamera " + id);
      line(out, "CameraName " + std::string(name));
      return;
  }
}

void LwsWriter::showLine(std::string &out, const Item &item) const {
  line(out, std::string(showKeyword(item.type())) + " " + std::to_string(item.visibility) + " " +
                std::to_string(item.colour));
}

// A still item: one key per channel at frame 0; channels 6-8 are the scale.
void LwsWriter::motion(std::string &out, const Item &item) const {
  line(out, motionKeyword(item.type()));
  line(out, "NumChannels 9");
  for (int channel = 0; channel < 9; ++channel) {
    const double value = channel < 3 ? item.position[channel] : channel < 6 ? 0.0 : 1.0;
    line(out, "Channel " + std::to_string(channel));
    line(out, "{ Envelope");
    line(out, "  1");
    line(out, "  Key " + lwsNumber(value) + " 0 0 0 0 0 0 0 0");
    line(out, "  Behaviors 1 1");
    line(out, "}");
  }
}

// A bone always names its parent: its object for a root bone.
void LwsWriter::parentLine(std::string &out, const Item &item) const {
  const ItemID parent = item.type() == ItemType::kBone && !item.parent ? item.owner : item.parent;
  if (parent) line(out, "ParentItem " + hexId(fileId(parent)));
}

// The object keys written after its bones; `fields` limits them to those.
void LwsWriter::objectTail(std::string &out, const Item &item, uint32_t fields) const {
  if (fields & kShadowField) {
    const int bits = (item.has(kItemSelfShadow) ? 1 : 0) | (item.has(kItemCastShadow) ? 2 : 0) |
                     (item.has(kItemReceiveShadow) ? 4 : 0);
    line(out, "ShadowOptions " + std::to_string(bits));
  }
  for (const FlagLine &flag : kRenderFlags) {
    if ((fields & flag.field) && item.has(flag.flag)) line(out, std::string(flag.keyword) + " 1");
  }
  if ((fields & kAlphaField) && item.alphaMode)
    line(out, "ObjectAlphaMode " + std::to_string(item.alphaMode));
}

void LwsWriter::boneKeys(std::string &out, const Item &item, uint32_t fields) const {
  if (fields & kActiveField) line(out, std::string("BoneActive ") + (item.has(kItemActive) ? "1" : "0"));
  if (fields & kRestLengthField) line(out, "BoneRestLength " + lwsNumber(item.restLength));
  if (fields & kStrengthField) line(out, "BoneStrength " + lwsNumber(item.strength));
  if (fields & kMultiplyField)
    line(out, std::string("ScaleBoneStrength ") + (item.has(kItemBoneMultiply) ? "1" : "0"));
  if ((fields & kBoneTypeField) && item.boneType) line(out, "BoneType " + std::to_string(item.boneType));
}

// A blank line, then the bone.
void LwsWriter::freshBone(std::string &out, const Item &bone) const {
  out += eol_;
  declaration(out, bone);
  showLine(out, bone);
  boneKeys(out, bone, kActiveField);
  line(out, "BoneRestPosition " + lwsNumber(bone.position[0]) + " " + lwsNumber(bone.position[1]) + " " +
                lwsNumber(bone.position[2]));
  line(out, "BoneRestDirection 0 0 0");
  boneKeys(out, bone, kRestLengthField | kStrengthField | kMultiplyField | kBoneTypeField);
  motion(out, bone);
  parentLine(out, bone);
}

// An object with its bones, a light or a camera, then a blank line.
void LwsWriter::freshItem(std::string &out, const Item &item) const {
  declaration(out, item);
  showLine(out, item);
  motion(out, item);
  parentLine(out, item);
  if (item.type() != ItemType::kObject) {
    out += eol_;
    return;
  }
  const std::span<const ItemID> bones = bonesOf(item.id);
  for (ItemID bone : bones) freshBone(out, *scene_.find(bone));
  if (!bones.empty()) out += eol_;
  objectTail(out, item, ~0u);
  out += eol_;
}

void LwsWriter::freshFile(std::string &out) {
  for (std::string_view text :
       {"LWSC", "5", "", "FirstFrame 1", "LastFrame 60", "FrameStep 1", "PreviewFirstFrame 0",
        "PreviewLastFrame 60", "PreviewFrameStep 1", "CurrentFrame 0", "FramesPerSecond 30", ""}) {
    line(out, text);
  }
  for (ItemType type : {ItemType::kObject, ItemType::kLight, ItemType::kCamera}) {
    for (const Item &item : scene_.items(type)) freshItem(out, item);
  }
}

void LwsWriter::overDocument(std::string &out) {
  const LwsDocument &document = *document_;
  const std::vector<LwsSegment> &segments = document.segments;
  out.reserve(document.text.size() + document.text.size() / 8);
  const auto slotOf = [](ItemID id) { return itemTypeBits(id) - 1; };

  // The last segment of each item of the file, and of each type.
  std::array<std::vector<size_t>, kItemTypeCount> lastSegment;
  for (int slot = 0; slot < kItemTypeCount; ++slot)
    lastSegment[slot].assign(document.fileIds[slot].size(), 0);
  std::array<std::optional<size_t>, kItemTypeCount> lastOfType;
  std::optional<size_t> firstLightOrCamera;
  for (size_t i = 0; i < segments.size(); ++i) {
    const ItemID item = segments[i].item;
    if (!item) continue;
    lastSegment[slotOf(item)][itemIndex(item)] = i;
    lastOfType[slotOf(item)] = i;
    if (!isItemType(item, ItemType::kObject) && !isItemType(item, ItemType::kBone) && !firstLightOrCamera) {
      firstLightOrCamera = i;
    }
  }
  // New items go after the last of their type; nulls after the last object
  // with its bones; a first light after the objects, a first camera after the lights.
  const size_t objectSlot = typeSlot(ItemType::kObject), boneSlot = typeSlot(ItemType::kBone);
  std::array<size_t, kItemTypeCount> anchor{};
  if (lastOfType[objectSlot] || lastOfType[boneSlot]) {
    anchor[objectSlot] = std::max(lastOfType[objectSlot].value_or(0), lastOfType[boneSlot].value_or(0));
  } else {
    anchor[objectSlot] = firstLightOrCamera ? *firstLightOrCamera - 1 : segments.size() - 1;
  }
  const size_t lightSlot = typeSlot(ItemType::kLight), cameraSlot = typeSlot(ItemType::kCamera);
  anchor[lightSlot] = lastOfType[lightSlot].value_or(anchor[objectSlot]);
  anchor[cameraSlot] = lastOfType[cameraSlot].value_or(std::max(anchor[lightSlot], anchor[objectSlot]));
  // A file object's new bones go after its last bone, or its own lines.
  std::vector<size_t> boneAnchor(lastSegment[objectSlot]);
  std::vector<bool> hasBones(boneAnchor.size(), false);
  const auto &bones = scene_.items(ItemType::kBone);
  for (size_t i = 0; i < lastSegment[boneSlot].size(); ++i) {
    const uint32_t owner = itemIndex(bones[i].owner);
    boneAnchor[owner] =
        hasBones[owner] ? std::max(boneAnchor[owner], lastSegment[boneSlot][i]) : lastSegment[boneSlot][i];
    hasBones[owner] = true;
  }

  std::vector<Insertion> insertions;
  for (int slot = 0; slot < kItemTypeCount; ++slot) {
    const auto &items = scene_.items(static_cast<ItemType>(slot + 1));
    for (size_t i = document.fileIds[slot].size(); i < items.size(); ++i) {
      if (slot != static_cast<int>(boneSlot)) {
        insertions.push_back({anchor[slot], false, items[i].id});
      } else if (document.fromFile(items[i].owner)) {
        insertions.push_back({boneAnchor[itemIndex(items[i].owner)], true, items[i].id});
      }  // else written with its new object
    }
  }
  std::stable_sort(insertions.begin(), insertions.end(), [](const Insertion &a, const Insertion &b) {
    return a.segment != b.segment ? a.segment < b.segment : a.beforeBlankLines > b.beforeBlankLines;
  });

  std::unordered_map<ItemID, uint32_t> found;  // of changed items, the fields met so far
  size_t next = 0;
  for (size_t i = 0; i < segments.size(); ++i) {
    const std::string_view text = document.segmentText(segments[i]);
    const Item *item = segments[i].item ? scene_.find(segments[i].item) : nullptr;
    const uint32_t fields = item ? changedFields(item->type(), was(*item), modelledValues(*item)) : 0;
    const bool bonesHere =
        next < insertions.size() && insertions[next].segment == i && insertions[next].beforeBlankLines;
    if (!fields && !bonesHere) {
      out += text;
    } else {
      const size_t content = endOfContent(text);
      if (fields) {
        const bool last = lastSegment[slotOf(item->id)][itemIndex(item->id)] == i;
        rewriteItem(out, text.substr(0, content), *item, fields, found[item->id], last);
      } else {
        out += text.substr(0, content);
      }
      for (; next < insertions.size() && insertions[next].segment == i && insertions[next].beforeBlankLines;
           ++next) {
        endLine(out, eol_);
        freshBone(out, *scene_.find(insertions[next].item));
      }
      out += text.substr(content);
    }
    for (; next < insertions.size() && insertions[next].segment == i; ++next) {
      endLine(out, eol_);
      freshItem(out, *scene_.find(insertions[next].item));
    }
  }
}

void LwsWriter::rewriteItem(std::string &out, std::string_view text, const Item &item, uint32_t fields,
                            uint32_t &found, bool last) {
  LwsLineCutter cutter(text);
  LwsBlocks blocks;
  LwsLine at;
  while (cutter.next(at)) {
    const LwsBlocks::Role role = blocks.see(at.text).value_or(LwsBlocks::Role::kInBlock);
    bool drop = false;
    const std::optional<std::string> written =
        rewriteLine(at.text, item, fields, found, role, blocks.channel(), drop);
    if (drop) continue;
    if (!written) {
      out += text.substr(at.begin, at.end - at.begin);
      continue;
    }
    out += *written;
    out += text.substr(at.begin + at.text.size(), at.end - at.begin - at.text.size());
  }
  if (!last) return;
  const uint32_t missing = fields & ~found;
  if (!missing) return;
  endLine(out, eol_);
  appendMissing(out, item, missing);
}

// The line as it reads with the item's new values, or nullopt to keep it.
std::optional<std::string> LwsWriter::rewriteLine(std::string_view text, const Item &item, uint32_t fields,
                                                  uint32_t &found, LwsBlocks::Role role, int channel,
                                                  bool &drop) {
  const LwsWords words(text);
  if (role == LwsBlocks::Role::kPositionKey) {
    if (!(fields & positionField(channel)) || words.count < 2) return std::nullopt;
    return replaceWord(text, words[1], lwsNumber(item.position[channel]));
  }
  if (role != LwsBlocks::Role::kTopLevel) return std::nullopt;
  const std::string_view keyword = words[0];
  const ItemType type = item.type();
  const auto take = [&](uint32_t field) {
    if (!(fields & field)) return false;
    found |= field;
    return true;
  };
  const auto setTo = [&](std::string_view value) {
    return words.count < 2 ? std::string(keyword) + " " + std::string(value)
                           : replaceWord(text, words[1], value);
  };
  if (keyword == motionKeyword(type)) {
    found |= kAnyPosition;  // its keys are rewritten where they stand
    return std::nullopt;
  }
  if (keyword == "ParentItem" && take(kParentField)) {
    const ItemID parent = type == ItemType::kBone && !item.parent ? item.owner : item.parent;
    if (!parent) {
      drop = true;
      return std::nullopt;
    }
    return setTo(hexId(fileId(parent)));
  }
  if (keyword == showKeyword(type) && take(kShowField)) {
    if (words.count < 3)
      return std::string(keyword) + " " + std::to_string(item.visibility) + " " + std::to_string(item.colour);
    const LwsValues before = was(item);
    const size_t afterVisibility = static_cast<size_t>(words[1].data() + words[1].size() - text.data());
    std::string result(text.substr(0, static_cast<size_t>(words[1].data() - text.data())));
    result += before.visibility != item.visibility ? std::to_string(item.visibility) : std::string(words[1]);
    if (before.colour != item.colour) {
      result += " " + std::to_string(item.colour);  // a colour of its own gives way to the palette's
    } else {
      result += text.substr(afterVisibility);
    }
    return result;
  }
  if (type == ItemType::kObject) {
    if (keyword == "ShadowOptions" && take(kShadowField)) {
      std::string out;
      objectTail(out, item, kShadowField);
      return out.substr(0, out.size() - eol_.size());
    }
    for (const FlagLine &flag : kRenderFlags) {
      if (keyword != flag.keyword || !take(flag.field)) continue;
      if (!item.has(flag.flag)) drop = true;
      return setTo("1");
    }
    if (keyword == "ObjectAlphaMode" && take(kAlphaField)) {
      if (!item.alphaMode) drop = true;
      return setTo(std::to_string(item.alphaMode));
    }
  }
  if (type == ItemType::kBone) {
    if (keyword == "BoneActive" && take(kActiveField)) return setTo(item.has(kItemActive) ? "1" : "0");
    if (keyword == "BoneRestLength" && take(kRestLengthField)) return setTo(lwsNumber(item.restLength));
    if (keyword == "BoneStrength" && take(kStrengthField)) return setTo(lwsNumber(item.strength));
    if (keyword == "ScaleBoneStrength" && take(kMultiplyField))
      return setTo(item.has(kItemBoneMultiply) ? "1" : "0");
    if (keyword == "BoneType" && take(kBoneTypeField)) return setTo(std::to_string(item.boneType));
  }
  return std::nullopt;
}

void LwsWriter::appendMissing(std::string &out, const Item &item, uint32_t missing) {
  if (missing & kShowField) showLine(out, item);
  if (missing & kAnyPosition) motion(out, item);
  if (missing & kParentField) parentLine(out, item);
  if (item.type() == ItemType::kObject) objectTail(out, item, missing);
  if (item.type() == ItemType::kBone) boneKeys(out, item, missing);
}

}  // namespace

std::string writeLwsScene(const Host &host, const LwsDocument *document) {
  return LwsWriter(host.scene(), document).write();
}

}  // namespace layout

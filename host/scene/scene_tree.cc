// The scene as an indented tree, for printing after a run: each item under
// its parent in effect (a root bone under its object), bones before the
// other children, and on each line only what differs from a new item.
#include <algorithm>
#include <array>
#include <charconv>
#include <cstring>
#include <optional>
#include <utility>
#include <vector>

#include "host/scene/scene_tree_order.h"
#include "host/scene_files/scene_file.h"
#include "host/scene_files/scene_keys.h"
#include "host/text/printable.h"
#include "host/text/real_texts.h"

namespace layout {
namespace {

// Deeper lines are indented no further, so a chain of a million bones does
// not print a trillion spaces; they say their depth instead.
constexpr size_t kDeepestIndent = 32;

// Shortest text that reads back as the same double.
size_t shortestText(double value, char (&text)[32]) {
  return static_cast<size_t>(std::to_chars(text, text + sizeof text, value).ptr - text);
}
using Reals = RealTexts<shortestText>;

// The words the panels and Layout use for an item's settings; a value outside
// the table (a scene file may hold any) is shown as its number.
constexpr std::array<const char *, 15> kColourNames = {"Black",  "Dk Blue", "Dk Green", "Dk Cyan", "Dk Red",
                                                       "Purple", "Brown",   "Gray",     "Blue",    "Green",
                                                       "Cyan",   "Red",     "Magenta",  "Orange",  "White"};
constexpr std::array<const char *, 8> kObjectVisibilityNames = {"hidden",    "bounding box",    "vertices",
                                                                "wireframe", "front-face wire", "shaded",
                                                                "textured",  "textured wire"};
constexpr std::array<const char *, 2> kVisibilityNames = {"hidden", "visible"};
constexpr std::array<const char *, 3> kAlphaNames = {"use surface settings", "unaffected by objects",
                                                     "constant black"};

template <size_t N>
void writeNamed(TextWriter &out, const std::array<const char *, N> &names, int value) {
  if (value >= 0 && static_cast<size_t>(value) < N) {
    out << names[static_cast<size_t>(value)];
  } else {
    out << value;
  }
}

// Names of the switches that are on, from `names`, after `label`; nothing
// when none is on, or `none` after `label` when that is given.
void writeSwitches(TextWriter &out, const Item &item, std::string_view label,
                   std::initializer_list<std::pair<ItemFlag, const char *>> names, const char *none) {
  bool first = true;
  for (const auto &[flag, name] : names) {
    if (!item.has(flag)) continue;
    out << (first ? label : std::string_view(" ")) << name;
    first = false;
  }
  if (first && none) out << label << none;
}

// Everything on an item's line after its name: its type and settings, and
// only what differs from a new item of its type.
void writeTail(TextWriter &out, Reals &real, const Scene &scene, const Item &item, const Item &fresh) {
  out << "  " << (item.has(kItemNull) ? std::string_view("null") : itemTypeName(item.type()));
  out << " vis ";
  if (item.type() == ItemType::kObject) {
    writeNamed(out, kObjectVisibilityNames, item.visibility);
  } else {
    writeNamed(out, kVisibilityNames, item.visibility);
  }
  out << " colour ";
  writeNamed(out, kColourNames, item.colour);
  if (item.type() == ItemType::kBone) {
    out << "  rest ";
    out << real(item.restLength);
    out << " strength ";
    out << real(item.strength);
    out << (item.has(kItemBoneMultiply) ? " multiply on" : " multiply off");
    out << (item.boneType == kBoneJoint ? " type joint" : " type classic");
  }
  if (!item.has(kItemActive)) out << "  inactive";
  if (item.position[0] != 0 || item.position[1] != 0 || item.position[2] != 0) {
    for (size_t axis = 0; axis < 3; ++axis) {
      out << (axis == 0 ? "  at " : " ");
      out << real(item.position[axis]);
    }
  }
  constexpr uint16_t kShadows = kItemSelfShadow | kItemCastShadow | kItemReceiveShadow;
  if ((item.flags & kShadows) != (fresh.flags & kShadows)) {
    writeSwitches(out, item, "  shadows: ",
                  {{kItemSelfShadow, "self"}, {kItemCastShadow, "cast"}, {kItemReceiveShadow, "receive"}},
                  "none");
  }
  writeSwitches(out, item, "  unseen: ",
                {{kItemUnseenByRays, "rays"},
                 {kItemUnseenByCamera, "camera"},
                 {kItemUnaffectedByFog, "fog"},
                 {kItemUnseenByRadiosity, "radiosity"}},
                nullptr);
  if (item.alphaMode != fresh.alphaMode) {
    out << "  alpha: ";
    writeNamed(out, kAlphaNames, item.alphaMode);
  }
  if (item.iconScale != fresh.iconScale) {
    out << "  icon ";
    out << real(item.iconScale);
  }
  if (item.id == scene.current()) {
    out << "  *current";
  } else if (item.has(kItemSelected)) {
    out << "  *selected";
  }
  out << '\n';
}

uint64_t bitsOf(double value) {
  uint64_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  return bits;
}

// What a line's tail is made of; reals by their bits, as -0 prints apart
// from 0.
struct TailKey {
  std::array<uint64_t, 6> reals;
  uint16_t flags;
  uint8_t type, visibility, colour, alphaMode, boneType;
  bool current;

  TailKey(const Scene &scene, const Item &item)
      : reals{bitsOf(item.position[0]), bitsOf(item.position[1]), bitsOf(item.position[2]),
              bitsOf(item.restLength),  bitsOf(item.strength),    bitsOf(item.iconScale)},
        flags(item.flags),
        type(static_cast<uint8_t>(item.type())),
        visibility(item.visibility),
        colour(item.colour),
        alphaMode(item.alphaMode),
        boneType(item.boneType),
        current(item.id == scene.current()) {}
  bool operator==(const TailKey &) const = default;
};

// Writes the tree's lines. Items of a rig mostly differ only in ID, name and
// depth, so the tail of the last line is kept and reused while the next
// item's settings match, and a line with a plain name is put together in
// the writer's buffer in one go.
class LineWriter {
 public:
  LineWriter(TextWriter &out, const Scene &scene) : out_(out), scene_(scene), tailOut_(tail_) {}

  void write(const Item &item, const Item &fresh, size_t depth) {
    const TailKey key(scene_, item);
    if (!tailKey_ || !(*tailKey_ == key)) {
      tail_.clear();
      writeTail(tailOut_, real_, scene_, item, fresh);
      tailOut_.flush();
      tailKey_ = key;
    }
    const std::string_view name = scene_.name(item);
    const size_t bytes = kSpaces.size() + kDepthBytes + kIdBytes + name.size() + tail_.size();
    if (bytes > TextWriter::kBufferBytes || hasControlBytes(name)) {
      writeSlowly(item, name, depth);
      return;
    }
    char *at = out_.reserve(bytes);
    std::memcpy(at, kSpaces.data(), kSpaces.size());
    at += 2 * std::min(depth, kDeepestIndent);
    if (depth > kDeepestIndent) at = writeDepth(at, depth);
    hexId(item.id, at);
    at[8] = ' ';
    at[9] = ' ';
    at += kIdBytes;
    std::memcpy(at, name.data(), name.size());
    at += name.size();
    std::memcpy(at, tail_.data(), tail_.size());
    out_.commit(at + tail_.size());
  }

 private:
  static constexpr std::string_view kSpaces =
      "                                                                ";
  static_assert(kSpaces.size() == 2 * kDeepestIndent);
  static constexpr size_t kIdBytes = 8 + 2;          // eight digits, two spaces
  static constexpr size_t kDepthBytes = 7 + 20 + 2;  // "[depth " digits "] "

  static char *writeDepth(char *at, size_t depth) {
    std::memcpy(at, "[depth ", 7);
    at = std::to_chars(at + 7, at + 7 + 20, depth).ptr;
    *at++ = ']';
    *at++ = ' ';
    return at;
  }

  // A name with control bytes is escaped, so each item keeps to one line
  // whatever its name holds; a name too long for the buffer goes in pieces.
  void writeSlowly(const Item &item, std::string_view name, size_t depth) {
    out_.fill(' ', 2 * std::min(depth, kDeepestIndent));
    if (depth > kDeepestIndent) out_ << "[depth " << depth << "] ";
    char id[8];
    hexId(item.id, id);
    out_ << std::string_view(id, sizeof id) << "  ";
    writePrintable(out_, name);
    out_ << tail_;
  }

  TextWriter &out_;
  const Scene &scene_;
  Reals real_;
  std::string tail_;
  TextWriter tailOut_;
  std::optional<TailKey> tailKey_;
};

}  // namespace

std::string sceneTree(const Host &host) {
  std::string text;
  {
    TextWriter out(text);
    writeSceneTree(out, host);
  }
  return text;
}

SceneTreeOrder::SceneTreeOrder(const Scene &scene) {
  const size_t count = scene.itemCount();
  items_.reserve(count);
  std::array<size_t, kItemTypeCount> offset{};
  for (ItemType type : kFileTypeOrder) {
    offset[typeSlot(type)] = items_.size();
    for (const Item &item : scene.items(type)) items_.push_back(&item);
  }
  const auto flat = [&](ItemID id) { return offset[itemTypeBits(id) - 1] + itemIndex(id); };

  // Children of each item, bones first, then the other types in file order.
  constexpr std::array<ItemType, kItemTypeCount> kChildOrder = {ItemType::kBone, ItemType::kObject,
                                                                ItemType::kLight, ItemType::kCamera};
  start_.assign(count + 1, 0);
  for (const Item *item : items_) {
    const ItemID parent = scene.effectiveParent(*item);
    if (scene.find(parent)) ++start_[flat(parent) + 1];
  }
  for (size_t i = 0; i < count; ++i) start_[i + 1] += start_[i];
  children_.resize(start_[count]);
  std::vector<size_t> filled(start_.begin(), start_.end() - 1);
  for (ItemType type : kChildOrder) {
    for (const Item &item : scene.items(type)) {
      const ItemID parent = scene.effectiveParent(item);
      if (scene.find(parent)) {
        children_[filled[flat(parent)]++] = flat(item.id);
      } else {
        roots_.push_back(flat(item.id));
      }
    }
  }
  std::sort(roots_.begin(), roots_.end());  // objects, lights, cameras
}

void writeSceneTree(TextWriter &out, const Host &host) {
  writeSceneTree(out, host, SceneTreeOrder(host.scene()));
}

void writeSceneTree(TextWriter &out, const Host &host, const SceneTreeOrder &order) {
  const Scene &scene = host.scene();
  if (scene.itemCount() == 0) {
    out << "(no items)\n";
    return;
  }
  Scene fresh;  // what a new item of each type starts with
  std::array<const Item *, kItemTypeCount> freshItems{};
  for (ItemType type : kFileTypeOrder) fresh.addItem(type, "");
  for (ItemType type : kFileTypeOrder) freshItems[typeSlot(type)] = &fresh.items(type).front();

  LineWriter lines(out, scene);
  order.forEach(
      [&](const Item &item, size_t depth) { lines.write(item, *freshItems[typeSlot(item.type())], depth); });
}

}  // namespace layout

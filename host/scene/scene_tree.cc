// The scene as an indented tree, for printing after a run: each item under
// its parent in effect (a root bone under its object), bones before the
// other children, and on each line only what differs from a new item.
#include <algorithm>
#include <array>
#include <charconv>
#include <utility>
#include <vector>

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

void writeLine(TextWriter &out, Reals &real, const Scene &scene, const Item &item, const Item &fresh,
               size_t depth) {
  out.fill(' ', 2 * std::min(depth, kDeepestIndent));
  if (depth > kDeepestIndent) out << "[depth " << depth << "] ";
  char id[8];
  hexId(item.id, id);
  out << std::string_view(id, sizeof id) << "  ";
  writePrintable(out, scene.name(item));  // one line per item, whatever the name holds
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

}  // namespace

std::string sceneTree(const Host &host) {
  std::string text;
  {
    TextWriter out(text);
    writeSceneTree(out, host);
  }
  return text;
}

void writeSceneTree(TextWriter &out, const Host &host) {
  const Scene &scene = host.scene();
  const size_t count = scene.itemCount();
  if (count == 0) {
    out << "(no items)\n";
    return;
  }

  // Every item by a flat index, types in file order.
  std::vector<const Item *> items;
  items.reserve(count);
  std::array<size_t, kItemTypeCount> offset{};
  for (ItemType type : kFileTypeOrder) {
    offset[typeSlot(type)] = items.size();
    for (const Item &item : scene.items(type)) items.push_back(&item);
  }
  const auto flat = [&](ItemID id) { return offset[itemTypeBits(id) - 1] + itemIndex(id); };

  // Children of each item, bones first, then the other types in file order.
  constexpr std::array<ItemType, kItemTypeCount> kChildOrder = {ItemType::kBone, ItemType::kObject,
                                                                ItemType::kLight, ItemType::kCamera};
  std::vector<size_t> start(count + 1, 0);
  std::vector<size_t> roots;
  for (const Item *item : items) {
    const ItemID parent = scene.effectiveParent(*item);
    if (scene.find(parent)) ++start[flat(parent) + 1];
  }
  for (size_t i = 0; i < count; ++i) start[i + 1] += start[i];
  std::vector<size_t> children(start[count]);
  std::vector<size_t> filled(start.begin(), start.end() - 1);
  for (ItemType type : kChildOrder) {
    for (const Item &item : scene.items(type)) {
      const ItemID parent = scene.effectiveParent(item);
      if (scene.find(parent)) {
        children[filled[flat(parent)]++] = flat(item.id);
      } else {
        roots.push_back(flat(item.id));
      }
    }
  }
  std::sort(roots.begin(), roots.end());  // objects, lights, cameras

  Scene fresh;  // what a new item of each type starts with
  std::array<const Item *, kItemTypeCount> freshItems{};
  for (ItemType type : kFileTypeOrder) fresh.addItem(type, "");
  for (ItemType type : kFileTypeOrder) freshItems[typeSlot(type)] = &fresh.items(type).front();

  Reals real;
  std::vector<std::pair<size_t, size_t>> stack;  // flat index, depth
  for (auto root = roots.rbegin(); root != roots.rend(); ++root) stack.emplace_back(*root, 0);
  while (!stack.empty()) {
    const auto [index, depth] = stack.back();
    stack.pop_back();
    const Item &item = *items[index];
    writeLine(out, real, scene, item, *freshItems[typeSlot(item.type())], depth);
    for (size_t child = start[index + 1]; child > start[index]; --child) {
      stack.emplace_back(children[child - 1], depth + 1);
    }
  }
}

}  // namespace layout

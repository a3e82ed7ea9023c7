// The scene as an indented tree, for printing after a run: each item under
// its parent in effect (a root bone under its object), bones before the
// other children, and on each line only what differs from a new item.
#include <algorithm>
#include <array>
#include <charconv>
#include <utility>
#include <vector>

#include "host/printable.h"
#include "host/scene_file.h"
#include "host/scene_keys.h"

namespace layout {
namespace {

// Deeper lines are indented no further, so a chain of a million bones does
// not print a trillion spaces; they say their depth instead.
constexpr size_t kDeepestIndent = 32;

std::string number(double value) {
  char buffer[32];
  return std::string(buffer, std::to_chars(buffer, buffer + sizeof buffer, value).ptr);
}

// Names of the switches that are on, from `names`; empty when none is.
std::string switchesOn(const Item &item, std::initializer_list<std::pair<ItemFlag, const char *>> names) {
  std::string result;
  for (const auto &[flag, name] : names) {
    if (!item.has(flag)) continue;
    if (!result.empty()) result += ' ';
    result += name;
  }
  return result;
}

void appendLine(std::string &out, const Scene &scene, const Item &item, const Item &fresh, size_t depth) {
  out.append(2 * std::min(depth, kDeepestIndent), ' ');
  if (depth > kDeepestIndent) out += "[depth " + std::to_string(depth) + "] ";
  out += hexId(item.id) + "  ";
  appendPrintable(out, scene.name(item));  // one line per item, whatever the name holds
  out += "  ";
  out += item.has(kItemNull) ? "null" : itemTypeName(item.type());
  out += " vis " + std::to_string(item.visibility) + " colour " + std::to_string(item.colour);
  if (item.type() == ItemType::kBone) {
    out += "  rest " + number(item.restLength) + " strength " + number(item.strength);
    out += item.has(kItemBoneMultiply) ? " multiply on" : " multiply off";
    out += item.boneType == kBoneJoint ? " type joint" : " type classic";
  }
  if (!item.has(kItemActive)) out += "  inactive";
  if (item.position[0] != 0 || item.position[1] != 0 || item.position[2] != 0) {
    out +=
        "  at " + number(item.position[0]) + " " + number(item.position[1]) + " " + number(item.position[2]);
  }
  constexpr uint16_t kShadows = kItemSelfShadow | kItemCastShadow | kItemReceiveShadow;
  if ((item.flags & kShadows) != (fresh.flags & kShadows)) {
    const std::string on = switchesOn(
        item, {{kItemSelfShadow, "self"}, {kItemCastShadow, "cast"}, {kItemReceiveShadow, "receive"}});
    out += "  shadows: " + (on.empty() ? "none" : on);
  }
  const std::string unseen = switchesOn(item, {{kItemUnseenByRays, "rays"},
                                               {kItemUnseenByCamera, "camera"},
                                               {kItemUnaffectedByFog, "fog"},
                                               {kItemUnseenByRadiosity, "radiosity"}});
  if (!unseen.empty()) out += "  unseen: " + unseen;
  if (item.alphaMode != fresh.alphaMode) out += "  alpha " + std::to_string(item.alphaMode);
  if (item.iconScale != fresh.iconScale) out += "  icon " + number(item.iconScale);
  if (item.id == scene.current()) {
    out += "  *current";
  } else if (item.has(kItemSelected)) {
    out += "  *selected";
  }
  out += '\n';
}

}  // namespace

std::string sceneTree(const Host &host) {
  const Scene &scene = host.scene();
  const size_t count = scene.itemCount();
  if (count == 0) return "(no items)\n";

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

  std::string out;
  std::vector<std::pair<size_t, size_t>> stack;  // flat index, depth
  for (auto root = roots.rbegin(); root != roots.rend(); ++root) stack.emplace_back(*root, 0);
  while (!stack.empty()) {
    const auto [index, depth] = stack.back();
    stack.pop_back();
    const Item &item = *items[index];
    appendLine(out, scene, item, *freshItems[typeSlot(item.type())], depth);
    for (size_t child = start[index + 1]; child > start[index]; --child) {
      stack.emplace_back(children[child - 1], depth + 1);
    }
  }
  return out;
}

}  // namespace layout

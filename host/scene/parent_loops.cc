#include "host/scene/parent_loops.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <unordered_set>

namespace layout {

std::vector<ItemID> findParentLoop(const Scene &scene, std::span<const ItemID> order) {
  std::array<size_t, kItemTypeCount> offset{};
  for (int slot = 1; slot < kItemTypeCount; ++slot) {
    offset[slot] = offset[slot - 1] + scene.items(static_cast<ItemType>(slot)).size();
  }
  const auto flat = [&](ItemID id) { return offset[itemTypeBits(id) - 1] + itemIndex(id); };
  enum : uint8_t { kUnseen, kOnWalk, kReachesTop };
  std::vector<uint8_t> state(scene.itemCount(), kUnseen);
  std::vector<ItemID> walk;
  for (ItemID start : order) {
    walk.clear();
    ItemID id = start;
    while (id && state[flat(id)] == kUnseen) {
      state[flat(id)] = kOnWalk;
      walk.push_back(id);
      id = scene.effectiveParent(*scene.find(id));
    }
    if (id && state[flat(id)] == kOnWalk) {
      std::vector<ItemID> loop(std::find(walk.begin(), walk.end(), id), walk.end());
      // One pass over the order, however long the loop.
      const std::unordered_set<ItemID> members(loop.begin(), loop.end());
      const auto first =
          std::find_if(order.begin(), order.end(), [&](ItemID item) { return members.count(item); });
      std::rotate(loop.begin(), std::find(loop.begin(), loop.end(), *first), loop.end());
      return loop;
    }
    for (ItemID done : walk) state[flat(done)] = kReachesTop;
  }
  return {};
}

std::string describeLoop(const std::vector<ItemID> &loop) {
  constexpr size_t kShown = 8;
  std::string text;
  for (size_t i = 0; i < loop.size() && i < kShown; ++i) text += hexId(loop[i]) + " -> ";
  if (loop.size() > kShown) text += "... (" + std::to_string(loop.size()) + " items) -> ";
  return text + hexId(loop.front());
}

}  // namespace layout

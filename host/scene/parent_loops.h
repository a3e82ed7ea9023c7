// Finding an item that ends up below itself, for the scene readers: parents
// may point ahead in a file, so loops are looked for once every item exists.
#pragma once

#include <span>
#include <string>
#include <vector>

#include "host/scene/scene.h"

namespace layout {

// The first loop of parents in effect, each member before its parent and
// starting at the member `order` lists first; empty when there is none.
// Follows each item's parents to the top once, so a deep chain costs no more
// than a flat one.
std::vector<ItemID> findParentLoop(const Scene &scene, std::span<const ItemID> order);

// "10000000 -> 40000001 -> 40000000 -> 10000000", long loops shortened.
std::string describeLoop(const std::vector<ItemID> &loop);

}  // namespace layout

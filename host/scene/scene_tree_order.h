// The order the scene tree lists the items in: each item under its parent in
// effect, bones before the other children. Worked out apart from writing the
// tree, so that for a large scene it can be worked out while other output is
// written; the scene must not change in between.
#pragma once

#include <cstddef>
#include <utility>
#include <vector>

#include "host/scene/scene.h"

namespace layout {

class SceneTreeOrder {
 public:
  explicit SceneTreeOrder(const Scene &scene);

  // Calls visit(item, depth) for every item, in the tree's order.
  template <typename Visit>
  void forEach(Visit visit) const {
    std::vector<std::pair<size_t, size_t>> stack;  // flat index, depth
    for (auto root = roots_.rbegin(); root != roots_.rend(); ++root) stack.emplace_back(*root, 0);
    while (!stack.empty()) {
      const auto [index, depth] = stack.back();
      stack.pop_back();
      visit(*items_[index], depth);
      for (size_t child = start_[index + 1]; child > start_[index]; --child) {
        stack.emplace_back(children_[child - 1], depth + 1);
      }
    }
  }

 private:
  std::vector<const Item *> items_;  // every item by a flat index, types in file order
  std::vector<size_t> start_;        // where each item's children start in children_
  std::vector<size_t> children_;
  std::vector<size_t> roots_;
};

}  // namespace layout

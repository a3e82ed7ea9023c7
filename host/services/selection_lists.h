// The arrays of pointer-sized IDs that the interface record's selItems field
// hands to a module, ended by a NULL ID.
//
// Hosts from build 599 hand out a snapshot that stays unchanged until the
// activation returns. Older hosts hand out one list that they rewrite in place
// whenever the selection changes, which is why modules written for them copy
// it before changing the selection. The scene's own selection array is what
// is handed out; the arrays it retires while a module holds them are kept
// here, allocated until the activation ends, and the retired in-place lists
// are kept up to date.
#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "host/scene/scene.h"

namespace layout {

class SelectionLists {
 public:
  explicit SelectionLists(Scene &scene) : scene_(scene) {}

  // The current selection, 0-terminated.
  const ::ItemID *handOut(bool rewrittenInPlace);
  // Keeps what the change retired, and rewrites the retired in-place lists
  // from `firstChanged` on; lists too small for the selection end early with
  // a 0.
  void selectionChanged(size_t firstChanged, std::optional<RetiredSelection> retired);
  // At the end of an activation: nothing handed out is in use any more.
  void release();

 private:
  void keep(std::optional<RetiredSelection> retired);

  Scene &scene_;
  std::vector<std::vector<::ItemID>> snapshots_;
  std::vector<std::vector<::ItemID>> inPlace_;  // each keeps the room it was handed out with
};

}  // namespace layout

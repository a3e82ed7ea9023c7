// The arrays of pointer-sized IDs that the interface record's selItems field
// hands to a module, ended by a NULL ID.
//
// Hosts from build 599 hand out a snapshot that stays unchanged until the
// activation returns. Older hosts hand out one list that they rewrite in place
// whenever the selection changes, which is why modules written for them copy
// it before changing the selection. Every array handed out stays allocated
// until the activation ends.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "host/scene/scene.h"

namespace layout {

class SelectionLists {
 public:
  explicit SelectionLists(const Scene &scene) : scene_(scene) {}

  // The current selection, 0-terminated.
  const ::ItemID *handOut(bool rewrittenInPlace);
  // Rewrites the in-place lists from `firstChanged` on; lists that are too
  // small for the selection end early with a 0.
  void selectionChanged(size_t firstChanged);
  // At the end of an activation: nothing handed out is in use any more.
  void release();

  size_t listsHandedOut() const { return snapshots_.size() + inPlace_.size(); }

 private:
  struct Snapshot {
    uint64_t version;
    std::vector<::ItemID> ids;
  };

  const Scene &scene_;
  std::vector<Snapshot> snapshots_;
  std::vector<std::vector<::ItemID>> inPlace_;  // each sized once; never reallocated
};

}  // namespace layout

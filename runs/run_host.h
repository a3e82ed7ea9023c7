// What a creation run needs from its host: the generic's evaluate, the
// information services, and the allocator for its one ID list.
#pragma once

#include <cstddef>

#include "layout.h"

namespace mint {

struct RunHost {
  const GenericLocal *local;
  const InterfaceInfo *interfaceInfo;
  const ItemInfo *itemInfo;  // used by the null run only
  const BoneInfo *boneInfo;  // used by the bone run only
  // Returns room for `count` IDs, or nullptr when memory is short. Runs never
  // throw; tests inject failures here.
  ItemID *(*allocateIds)(size_t count);
  void (*releaseIds)(ItemID *ids);
};

// The allocator pair the activations use.
ItemID *allocateIdList(size_t count);
void releaseIdList(ItemID *ids);

// Owns an ID list for one run and releases it on every path out. A count of
// 0 allocates nothing.
class IdList {
 public:
  IdList(const RunHost &host, size_t count) : host_(host), ids_(count ? host.allocateIds(count) : nullptr) {}
  ~IdList() {
    if (ids_ != nullptr) host_.releaseIds(ids_);
  }
  IdList(const IdList &) = delete;
  IdList &operator=(const IdList &) = delete;

  ItemID *get() const { return ids_; }

 private:
  const RunHost &host_;
  ItemID *ids_;
};

}  // namespace mint

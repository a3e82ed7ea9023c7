// A host that does nothing with a command text but copy it, with just enough
// scene behind its information services for the runs to take their usual
// paths: a selected parent object first in the scene, nulls that become the
// selected object as they are added, and a fixed list of selected items.
// Timing a run against it leaves the module's own cost plus one copy per text.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "runs/run_host.h"

namespace mint::bench {

class SinkHost {
 public:
  static constexpr ItemID kParentObject = 0x10000000u;

  // `selection` is what selectedItems reports, without the terminating 0.
  explicit SinkHost(std::vector<ItemID> selection = {kParentObject}) : selection_(std::move(selection)) {
    selection_.push_back(LAYOUT_ITEM_NONE);
    current_ = this;
  }
  ~SinkHost() { current_ = nullptr; }
  SinkHost(const SinkHost &) = delete;
  SinkHost &operator=(const SinkHost &) = delete;

  // Forgets the nulls of the previous run; the selection stays.
  void reset() {
    nulls_ = 0;
    selectedNull_ = LAYOUT_ITEM_NONE;
    commands_ = 0;
  }

  RunHost runHost() {
    return RunHost{&local_, &interfaceInfo_, &itemInfo_, &boneInfo_, allocateIdList, releaseIdList};
  }
  const GenericLocal *local() const { return &local_; }
  uint64_t commands() const { return commands_; }

  // While set, every text is also appended to `texts` (not for timed runs).
  void record(std::vector<std::string> *texts) { recording_ = texts; }

 private:
  static int evaluate(void *data, const char *text) {
    auto *sink = static_cast<SinkHost *>(data);
    const size_t length = std::strlen(text);
    // No bound the compiler can see, so this is the library's memcpy, not an
    // inlined string move that is slow for short texts.
    if (length >= sink->copy_.size()) sink->copy_.resize(length + 1);
    std::memcpy(sink->copy_.data(), text, length + 1);
    ++sink->commands_;
    // The one fact a run reads back: the null just added is the selected one.
    if (length >= 8 && std::memcmp(text, "AddNull ", 8) == 0)
      sink->selectedNull_ = kParentObject + ++sink->nulls_;
    if (sink->recording_) sink->recording_->emplace_back(text, length);
    return 1;
  }

  static const ItemID *selectedItems() { return current_->selection_.data(); }
  static uint32_t itemFlags(ItemID id) {
    return id != LAYOUT_ITEM_NONE && id == current_->selectedNull_ ? LAYOUT_ITEMF_SELECTED : 0;
  }
  static int dynamicUpdate() { return 0; }
  static ItemID first(int itemType, ItemID) { return itemType == LAYOUT_ITEMTYPE_OBJECT ? kParentObject : 0; }
  static ItemID next(ItemID id) { return id - kParentObject < current_->nulls_ ? id + 1 : LAYOUT_ITEM_NONE; }
  // The multiply flag is clear, so runs that want it send the toggle.
  static uint32_t boneFlags(ItemID) { return 0; }

  static inline SinkHost *current_ = nullptr;

  std::vector<ItemID> selection_;
  uint32_t nulls_ = 0;
  ItemID selectedNull_ = LAYOUT_ITEM_NONE;
  uint64_t commands_ = 0;
  std::vector<std::string> *recording_ = nullptr;
  std::vector<char> copy_ = std::vector<char>(1024);
  GenericLocal local_ = {this, evaluate};
  InterfaceInfo interfaceInfo_ = {selectedItems, itemFlags, dynamicUpdate};
  ItemInfo itemInfo_ = {first, next};
  BoneInfo boneInfo_ = {boneFlags};
};

}  // namespace mint::bench

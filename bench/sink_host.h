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
#include "tests/records.h"

namespace mint::bench {

class SinkHost {
 public:
  static constexpr uint32_t kParentObject = 0x10000000u;

  // `selection` is what the interface record lists, without the terminating NULL.
  explicit SinkHost(std::vector<ItemID> selection = {LAYOUT_ITEM_FROM_BITS(kParentObject)})
      : selection_(std::move(selection)) {
    selection_.push_back(LAYOUT_ITEM_NONE);
    interfaceInfo_ = testing::interfaceInfo(selection_.data(), itemFlags);
    current_ = this;
  }
  ~SinkHost() { current_ = nullptr; }
  SinkHost(const SinkHost &) = delete;
  SinkHost &operator=(const SinkHost &) = delete;

  // Forgets the nulls of the previous run; the selection stays.
  void reset() {
    nulls_ = 0;
    selectedNull_ = 0;
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

  static unsigned int itemFlags(ItemID id) {
    const uint32_t bits = LAYOUT_ITEM_BITS(id);
    return bits != 0 && bits == current_->selectedNull_ ? LAYOUT_ITEMF_SELECTED : 0;
  }
  static ItemID first(int itemType, ItemID) {
    return itemType == LAYOUT_ITEMTYPE_OBJECT ? LAYOUT_ITEM_FROM_BITS(kParentObject) : LAYOUT_ITEM_NONE;
  }
  static ItemID next(ItemID id) {
    const uint32_t bits = LAYOUT_ITEM_BITS(id);
    return bits - kParentObject < current_->nulls_ ? LAYOUT_ITEM_FROM_BITS(bits + 1) : LAYOUT_ITEM_NONE;
  }
  // The multiply flag is clear, so runs that want it send the toggle.
  static unsigned int boneFlags(ItemID) { return 0; }

  static inline SinkHost *current_ = nullptr;

  std::vector<ItemID> selection_;
  uint32_t nulls_ = 0;
  uint32_t selectedNull_ = 0;
  uint64_t commands_ = 0;
  std::vector<std::string> *recording_ = nullptr;
  std::vector<char> copy_ = std::vector<char>(1024);
  GenericLocal local_ = testing::genericLocal(this, evaluate);
  InterfaceInfo interfaceInfo_;  // dynamic update off
  ItemInfo itemInfo_ = testing::itemInfo(first, next);
  BoneInfo boneInfo_ = testing::boneInfo(boneFlags);
};

}  // namespace mint::bench

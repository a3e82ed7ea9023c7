// The bone run the benchmarks share: 1000 new bones under each selected
// bone, with strength, colour, icon scale and joint type set so that nearly
// every text is sent, and the same run driven directly against the sink.
#pragma once

#include <cstdint>
#include <vector>

#include "bench/sink_host.h"
#include "runs/bone_run.h"

namespace mint::bench {

constexpr int32_t kBonesPerItem = 1000;
// The selected bones' IDs in the host: the first bones it makes.
constexpr uint32_t kFirstBone = 0x40000000u;

inline BoneOptions boneOptions(bool siblings) {
  BoneOptions o = {};
  o.hostBuild = 2000;
  o.suffixCode = 3;
  o.startNumber = 1;
  o.count = kBonesPerItem;
  o.colourCode = 3;
  o.individual = siblings ? 1 : 0;
  o.multiplyStrength = 1;
  o.iconMode = 1;
  o.jointBone = 1;
  o.strength = 0.5;
  o.iconScale = 0.4;
  return o;
}

inline std::vector<ItemID> selectedBones(int32_t count) {
  std::vector<ItemID> ids;
  for (int32_t i = 0; i < count; ++i)
    ids.push_back(LAYOUT_ITEM_FROM_BITS(kFirstBone + static_cast<uint32_t>(i)));
  return ids;
}

// `selection` ends with LAYOUT_ITEM_NONE.
inline int runOnSink(SinkHost &sink, const std::vector<ItemID> &selection, bool siblings) {
  const BoneRunInputs inputs = {"Bone", 0.5f, selection.data(), static_cast<int32_t>(selection.size() - 1)};
  return runBones(sink.runHost(), boneOptions(siblings), inputs);
}

}  // namespace mint::bench

// Host build numbers at which the module changes behaviour, compared in one
// place so that every threshold reads the same way.
#pragma once

#include <cstdint>

namespace mint {

// Progress messages, the three-way alpha-channel choice, render flags sent
// once to the final selection, and the host's selection list used in place.
inline constexpr uint32_t kBuildModernSelection = 599;
// The "Unseen by Radiosity" render flag.
inline constexpr uint32_t kBuildRadiosity = 1166;
// Bone icon-size controls and the joint-bone flag.
inline constexpr uint32_t kBuildBoneIcons = 1447;

inline bool buildAtLeast(uint32_t build, uint32_t threshold) { return build >= threshold; }

}  // namespace mint

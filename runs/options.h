// The records a confirmed panel fills and a creation run reads.
#pragma once

#include <cstdint>

namespace mint {

// Twenty 32-bit fields; flags are tested only for zero or non-zero. The
// render-flag fields (unseenByRadiosity to receiveShadow) are consecutive and
// in the order of the panel's check boxes, which are read back in one loop.
struct NullOptions {
  int32_t hostBuild;
  int32_t prefixCode;
  int32_t suffixCode;
  int32_t startNumber;
  int32_t count;
  int32_t colourCode;  // 15 leaves the host's colour
  int32_t itemActive;
  int32_t visibility;  // 0 hidden, otherwise vertices
  int32_t selectAfter;
  int32_t parent;
  int32_t localZero;
  int32_t hierarchy;
  int32_t alphaMode;  // below build 599 a flag; from 599: 0, 1, 2
  int32_t unseenByRadiosity;
  int32_t unseenByRays;
  int32_t selfShadow;
  int32_t unseenByCamera;
  int32_t unaffectedByFog;
  int32_t castShadow;
  int32_t receiveShadow;
};
static_assert(sizeof(NullOptions) == 20 * 4);

struct BoneOptions {
  uint32_t hostBuild;
  int32_t prefixCode;
  int32_t suffixCode;
  int32_t startNumber;
  int32_t count;
  int32_t colourCode;  // 15 leaves the host's colour
  int32_t individual;  // non-zero: siblings; 0: a chain
  int32_t multiplyStrength;
  int32_t iconMode;  // 0 def, 1 val, 2 auto
  int32_t jointBone;
  double strength;   // exactly 1.0 leaves the host's strength
  double iconScale;  // read only when iconMode is not 0
};

}  // namespace mint

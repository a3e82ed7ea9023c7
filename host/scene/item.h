// One scene item. Kept small: a scene of a million bones holds a million of
// these, and the name lives in the scene's name arena.
#pragma once

#include <cstdint>

#include "host/scene/item_id.h"

namespace layout {

// Per-item switches, one bit each.
enum ItemFlag : uint16_t {
  kItemSelected = 1 << 0,
  kItemActive = 1 << 1,
  kItemNull = 1 << 2,  // an object without geometry, as AddNull makes
  kItemSelfShadow = 1 << 3,
  kItemCastShadow = 1 << 4,
  kItemReceiveShadow = 1 << 5,
  kItemUnseenByRays = 1 << 6,
  kItemUnseenByCamera = 1 << 7,
  kItemUnaffectedByFog = 1 << 8,
  kItemUnseenByRadiosity = 1 << 9,
  kItemBoneMultiply = 1 << 10,  // bone strength multiplied by rest length
};

// Alpha-channel modes.
inline constexpr uint8_t kAlphaUseSurface = 0;
inline constexpr uint8_t kAlphaUnaffectedByObjects = 1;
inline constexpr uint8_t kAlphaConstantBlack = 2;

// Bone types.
inline constexpr uint8_t kBoneClassic = 0;
inline constexpr uint8_t kBoneJoint = 1;

struct NameRef {
  uint32_t offset = 0;
  uint32_t length = 0;
};

struct Item {
  ItemID id = 0;
  ItemID parent = 0;  // 0: none; for a root bone the owner object is the parent in effect
  ItemID owner = 0;   // bones: the object the bone belongs to
  // Items whose parent in effect this is; kept by the scene, so parenting
  // checks for loops only under items that have children.
  uint32_t childCount = 0;
  NameRef name;
  double position[3] = {0, 0, 0};  // relative to the parent
  double restLength = 1.0;         // bones
  double strength = 1.0;           // bones
  double iconScale = 1.0;
  uint16_t flags = 0;
  uint8_t visibility = 0;
  uint8_t colour = 0;
  uint8_t alphaMode = kAlphaUseSurface;
  uint8_t boneType = kBoneClassic;

  ItemType type() const { return static_cast<ItemType>(itemTypeBits(id)); }
  bool has(ItemFlag flag) const { return (flags & flag) != 0; }
  void set(ItemFlag flag, bool on) { flags = on ? (flags | flag) : (flags & ~flag); }
  void flip(ItemFlag flag) { flags ^= flag; }
};

}  // namespace layout

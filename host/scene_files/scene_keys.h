// The names a scene file uses. The reader checks keys against these tables;
// the writer spells the same names, which the round-trip test holds it to.
// docs/scene-format.md describes each.
#pragma once

#include <array>
#include <optional>
#include <string_view>

#include "host/scene/item.h"

namespace layout {

inline constexpr std::string_view kSceneFormat = "mint-scene";
inline constexpr int kSceneVersion = 1;

inline constexpr std::array<std::string_view, 7> kSceneKeys = {
    "format", "version", "build", "dynamicUpdate", "items", "selection", "current"};

// An item key and the one type it belongs to; nullopt: every type.
struct ItemKey {
  std::string_view name;
  std::optional<ItemType> only;
};

inline constexpr std::array<ItemKey, 13> kItemValueKeys = {{
    {"id", std::nullopt},
    {"type", std::nullopt},
    {"name", std::nullopt},
    {"owner", ItemType::kBone},
    {"parent", std::nullopt},
    {"visibility", std::nullopt},
    {"colour", std::nullopt},
    {"position", std::nullopt},
    {"iconScale", std::nullopt},
    {"alpha", std::nullopt},
    {"restLength", ItemType::kBone},
    {"strength", ItemType::kBone},
    {"boneType", ItemType::kBone},
}};

// The switches, each a boolean.
struct FlagKey {
  ItemKey key;
  ItemFlag flag;
};

inline constexpr std::array<FlagKey, 10> kItemFlagKeys = {{
    {{"null", ItemType::kObject}, kItemNull},
    {{"active", std::nullopt}, kItemActive},
    {{"selfShadow", std::nullopt}, kItemSelfShadow},
    {{"castShadow", std::nullopt}, kItemCastShadow},
    {{"receiveShadow", std::nullopt}, kItemReceiveShadow},
    {{"unseenByRays", std::nullopt}, kItemUnseenByRays},
    {{"unseenByCamera", std::nullopt}, kItemUnseenByCamera},
    {{"unaffectedByFog", std::nullopt}, kItemUnaffectedByFog},
    {{"unseenByRadiosity", std::nullopt}, kItemUnseenByRadiosity},
    {{"multiply", ItemType::kBone}, kItemBoneMultiply},
}};

// Items of each type in the order a file lists them.
inline constexpr std::array<ItemType, kItemTypeCount> kFileTypeOrder = {ItemType::kObject, ItemType::kLight,
                                                                        ItemType::kCamera, ItemType::kBone};

// The item type a type name stands for.
inline std::optional<ItemType> itemTypeNamed(std::string_view name) {
  for (ItemType type : kFileTypeOrder) {
    if (name == itemTypeName(type)) return type;
  }
  return std::nullopt;
}

}  // namespace layout

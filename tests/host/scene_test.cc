#include "host/scene/scene.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace layout {
namespace {

// A million bones must stay well under 256 bytes each, names apart.
static_assert(sizeof(Item) <= 80, "a million bones must stay under 256 bytes each");

TEST(SceneIds, TypeInTopBitsAndIndexPerTypeInCreationOrder) {
  Scene scene;
  EXPECT_EQ(scene.addObject("Cube"), 0x10000000u);
  EXPECT_EQ(scene.addNull("Cube"), 0x10000001u);  // names may repeat
  EXPECT_EQ(scene.addLight("Key"), 0x20000000u);
  EXPECT_EQ(scene.addCamera("Camera"), 0x30000000u);
  EXPECT_EQ(scene.addBone("Bone", 0x10000000u), 0x40000000u);
  EXPECT_EQ(scene.addBone("Bone", 0x40000000u), 0x40000001u);
  EXPECT_EQ(scene.name(*scene.find(0x10000001u)), "Cube");
  EXPECT_EQ(scene.items(ItemType::kObject).size(), 2u);
  EXPECT_EQ(scene.itemCount(), 6u);
  // Unknown IDs: no type, a type past bones, an index past the end, and 0.
  for (ItemID unknown : {0x00000000u, 0x0000000Fu, 0x50000000u, 0x10000002u, 0xF0000000u}) {
    EXPECT_EQ(scene.find(unknown), nullptr) << std::hex << unknown;
  }
}

TEST(SceneItems, RepeatedAndCollidingNamesEachReadBackAsGiven) {
  Scene scene;
  const ItemID body = scene.addObject("Body");
  std::vector<std::pair<ItemID, std::string>> made;
  // Chains that repeat the same names, between names of every length that
  // land in the same recent-name slots now and then.
  for (int chain = 0; chain < 20; ++chain) {
    ItemID parent = body;
    for (int i = 0; i < 300; ++i) {
      const std::string name =
          i % 7 == 3 ? std::string(static_cast<size_t>(chain + i % 5), 'x') : "Bone_" + std::to_string(i);
      parent = scene.addBone(name, parent);
      made.emplace_back(parent, name);
    }
  }
  scene.addNull("");
  for (const auto &[id, name] : made) ASSERT_EQ(scene.name(*scene.find(id)), name) << std::hex << id;
  EXPECT_EQ(scene.name(*scene.find(0x10000001u)), "");
}

TEST(SceneItems, NewItemsStartWithLayoutDefaults) {
  Scene scene;
  const Item &null = *scene.find(scene.addNull("N"));
  EXPECT_TRUE(null.has(kItemNull));
  EXPECT_TRUE(null.has(kItemActive));
  EXPECT_TRUE(null.has(kItemSelfShadow) && null.has(kItemCastShadow) && null.has(kItemReceiveShadow));
  EXPECT_FALSE(null.has(kItemUnseenByRays) || null.has(kItemUnseenByCamera) ||
               null.has(kItemUnaffectedByFog) || null.has(kItemUnseenByRadiosity) || null.has(kItemSelected));
  EXPECT_EQ(null.alphaMode, kAlphaUseSurface);
  EXPECT_EQ(scene.find(scene.addLight("L"))->visibility, 1);
}

TEST(SceneBones, RootAndChildBonesKeepTheirOwnerAndMultiplyFlag) {
  Scene scene;
  const ItemID object = scene.addObject("Arm");
  const ItemID light = scene.addLight("Key");
  const ItemID root = scene.addBone("Upper", object);
  const Item &rootBone = *scene.find(root);
  EXPECT_EQ(rootBone.owner, object);
  EXPECT_EQ(rootBone.parent, 0u);
  EXPECT_EQ(scene.effectiveParent(rootBone), object);
  EXPECT_TRUE(rootBone.has(kItemBoneMultiply));

  scene.find(root)->set(kItemBoneMultiply, false);
  const ItemID child = scene.addBone("Lower", root);
  EXPECT_EQ(scene.find(child)->owner, object);
  EXPECT_EQ(scene.find(child)->parent, root);
  EXPECT_FALSE(scene.find(child)->has(kItemBoneMultiply));

  EXPECT_EQ(scene.addBone("Lost", light), 0u);
  EXPECT_EQ(scene.addBone("Lost", 0x40000009u), 0u);
}

TEST(SceneSelection, KeepsOrderFlagsCurrentItemAndTellsTheObserver) {
  Scene scene;
  const ItemID a = scene.addObject("A"), b = scene.addObject("B"), c = scene.addObject("C");
  std::vector<size_t> changes;
  scene.setSelectionObserver(
      [&](size_t first, std::optional<RetiredSelection>) { changes.push_back(first); });

  EXPECT_TRUE(scene.select(b));
  EXPECT_TRUE(scene.addToSelection(c));
  EXPECT_TRUE(scene.addToSelection(a));
  EXPECT_EQ(std::vector<ItemID>(scene.selection().begin(), scene.selection().end()), (std::vector{b, c, a}));
  EXPECT_EQ(scene.current(), a);
  // Adding an item that is already selected makes it current, in place.
  EXPECT_TRUE(scene.addToSelection(b));
  EXPECT_EQ(scene.current(), b);
  EXPECT_EQ(scene.selection().size(), 3u);

  EXPECT_TRUE(scene.select(c));
  EXPECT_FALSE(scene.isSelected(a));
  EXPECT_FALSE(scene.isSelected(b));
  EXPECT_TRUE(scene.isSelected(c));

  const uint64_t version = scene.selectionVersion();
  EXPECT_FALSE(scene.select(0x10000009u));
  EXPECT_FALSE(scene.addToSelection(0x10000009u));
  EXPECT_EQ(scene.selectionVersion(), version);
  scene.clearSelection();
  EXPECT_EQ(scene.current(), 0u);
  EXPECT_FALSE(scene.isSelected(c));
  EXPECT_EQ(changes, (std::vector<size_t>{0, 1, 2, 0, 0}));
}

TEST(SceneParenting, RejectsUnknownSelfCyclesAndForeignBones) {
  Scene scene;
  const ItemID a = scene.addNull("A"), b = scene.addNull("B"), c = scene.addNull("C");
  const ItemID other = scene.addObject("Other");
  EXPECT_EQ(scene.setParent(b, a), ParentError::kNone);
  EXPECT_EQ(scene.setParent(c, b), ParentError::kNone);
  EXPECT_EQ(scene.setParent(a, c), ParentError::kCycle);
  EXPECT_EQ(scene.setParent(a, a), ParentError::kSelf);
  EXPECT_EQ(scene.setParent(a, 0x10000077u), ParentError::kUnknownParent);
  EXPECT_EQ(scene.setParent(0x10000077u, a), ParentError::kUnknownChild);
  EXPECT_EQ(scene.setParent(c, 0), ParentError::kNone);
  EXPECT_EQ(scene.find(c)->parent, 0u);
  // Moved out, C no longer closes a loop under A; once A is below C, B is too.
  EXPECT_EQ(scene.setParent(a, c), ParentError::kNone);
  EXPECT_EQ(scene.setParent(c, b), ParentError::kCycle);
  EXPECT_EQ(scene.setParent(a, 0), ParentError::kNone);

  const ItemID root = scene.addBone("Root", a);
  const ItemID tip = scene.addBone("Tip", root);
  const ItemID foreign = scene.addBone("Foreign", other);
  EXPECT_EQ(scene.setParent(tip, foreign), ParentError::kBoneOfOtherObject);
  EXPECT_EQ(scene.setParent(tip, b), ParentError::kBoneOfOtherObject);
  // An object below its own bone would close a loop through the bone's owner.
  EXPECT_EQ(scene.setParent(a, tip), ParentError::kCycle);
  // Parenting a bone to its owner makes it a root bone.
  EXPECT_EQ(scene.setParent(tip, a), ParentError::kNone);
  EXPECT_EQ(scene.find(tip)->parent, 0u);
}

TEST(SceneReplace, TakesTheOtherScenesItemsAndKeepsTheObserver) {
  Scene scene;
  scene.select(scene.addObject("Old"));
  std::vector<size_t> changes;
  scene.setSelectionObserver(
      [&](size_t first, std::optional<RetiredSelection>) { changes.push_back(first); });
  const uint64_t version = scene.selectionVersion();

  Scene other;
  const ItemID light = other.addItem(ItemType::kLight, "New");
  other.addItem(ItemType::kBone, "Loose");  // no owner until a reader sets one
  other.select(light);
  scene.replace(std::move(other));

  EXPECT_EQ(scene.itemCount(), 2u);
  EXPECT_EQ(scene.name(*scene.find(light)), "New");
  EXPECT_EQ(scene.find(0x10000000u), nullptr);
  EXPECT_EQ(scene.current(), light);
  EXPECT_TRUE(scene.isSelected(light));
  EXPECT_GT(scene.selectionVersion(), version);
  EXPECT_EQ(changes, std::vector<size_t>{0});
}

}  // namespace
}  // namespace layout

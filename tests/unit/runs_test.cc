// The creation runs driven directly with filled records: what only shows when
// the host misbehaves or memory runs out.
#include <gtest/gtest.h>

#include "run_fake.h"
#include "runs/bone_run.h"
#include "runs/null_run.h"

namespace mint {
namespace {

using testing::itemId;
using testing::RunFake;
using Texts = std::vector<std::string>;

NullOptions selectingNulls(int count) {
  NullOptions o = {};
  o.hostBuild = 1500;
  o.count = count;
  o.startNumber = 1;
  o.colourCode = 15;
  o.itemActive = 1;
  o.selectAfter = 1;
  o.selfShadow = o.castShadow = o.receiveShadow = 1;
  return o;
}

TEST(NullRunMemory, FailedListAllocationSendsNothing) {
  RunFake fake;
  fake.failAllocation = true;
  fake.dynamicUpdate = 2;
  NullOptions o = selectingNulls(5);
  EXPECT_EQ(runNulls(fake.host(), o, "Null"), 0);
  EXPECT_EQ(fake.allocations, 1);
  EXPECT_TRUE(fake.sent.empty());
}

TEST(NullRunMemory, NoListWithoutSelectionOrHierarchyNorForEmptyCounts) {
  RunFake fake;
  fake.select({0x10000000u});
  NullOptions plain = selectingNulls(3);
  plain.selectAfter = 0;
  runNulls(fake.host(), plain, "Null");
  EXPECT_EQ(fake.sent.size(), 3u * 2u);  // three nulls, each added and made visible
  fake.sent.clear();

  // Empty counts add and select nothing, whatever the options say.
  NullOptions none = selectingNulls(0);
  none.hierarchy = 1;
  runNulls(fake.host(), none, "Null");
  NullOptions negative = selectingNulls(-5);
  runNulls(fake.host(), negative, "Null");
  EXPECT_EQ(fake.allocations, 0);
  EXPECT_TRUE(fake.sent.empty());
}

TEST(NullRun, ScanThatFindsNothingRecordsNoItem) {
  // A host that does not select the new null: every ID is recorded as 0, the
  // chain parents to "no item" and the selection pass names 0.
  RunFake fake;
  fake.newNullsSelected = false;
  fake.select({0x20000000u});
  fake.objects = {0x10000000u};
  NullOptions o = selectingNulls(2);
  o.parent = 1;
  o.hierarchy = 1;
  runNulls(fake.host(), o, "Null");
  const Texts expected = {
      "EditObjects",
      "AddNull Null",
      "ItemVisibility 0",
      "ParentItem 20000000",
      "AddNull Null",
      "ItemVisibility 0",
      "ParentItem 00000000",
      "SelectItem 00000000",
      "AddToSelection 00000000",
      "AddToSelection 00000000",
  };
  EXPECT_EQ(fake.sent, expected);
}

BoneOptions chainOfBones(uint32_t build, int count) {
  BoneOptions o = {};
  o.hostBuild = build;
  o.count = count;
  o.startNumber = 1;
  o.colourCode = 15;
  o.multiplyStrength = 1;
  o.strength = 1.0;
  return o;
}

TEST(BoneRunMemory, OldHostCopyFailureSendsNothing) {
  RunFake fake;
  fake.failAllocation = true;
  fake.dynamicUpdate = 1;
  const ItemID selection[] = {itemId(0x10000000u), LAYOUT_ITEM_NONE};
  EXPECT_EQ(runBones(fake.host(), chainOfBones(598, 3), {"Bone", 0.5f, selection, 1}), 0);
  EXPECT_EQ(fake.allocations, 1);
  EXPECT_TRUE(fake.sent.empty());
}

TEST(BoneRunMemory, ModernHostAllocatesNothing) {
  RunFake fake;
  const ItemID selection[] = {itemId(0x10000000u), itemId(0x10000001u), LAYOUT_ITEM_NONE};
  runBones(fake.host(), chainOfBones(599, 2), {"Bone", 0.5f, selection, 2});
  EXPECT_EQ(fake.allocations, 0);
  EXPECT_EQ(fake.sent.front(), "SelectItem 10000001");
}

TEST(BoneRun, ExtremeNumbersAndPercentNamesStayLiteral) {
  RunFake fake;
  BoneOptions o = chainOfBones(1500, 2);
  o.suffixCode = 1;
  o.startNumber = INT32_MAX;
  const ItemID selection[] = {itemId(0x40000000u), LAYOUT_ITEM_NONE};
  fake.boneFlags = LAYOUT_BONEF_MULTIPLY;
  runBones(fake.host(), o, {"100%s", 0.5f, selection, 1});
  const Texts expected = {"SelectItem 40000000", "AddChildBone 100%s_2147483647", "BoneRestLength 0.5",
                          "AddChildBone 100%s_2147483648", "BoneRestLength 0.5"};
  EXPECT_EQ(fake.sent, expected);
}

}  // namespace
}  // namespace mint

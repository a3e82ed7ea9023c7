#include "host/scene/selection_list.h"

#include <gtest/gtest.h>

#include <vector>

namespace layout {
namespace {

constexpr ItemID a = 0x10000000u, b = 0x10000001u, c = 0x10000002u;

// The IDs of a 0-terminated array as the module reads it.
std::vector<ItemID> listed(const ::ItemID *ids) {
  std::vector<ItemID> result;
  for (; *ids; ++ids) result.push_back(hostItemId(*ids));
  return result;
}

std::vector<ItemID> listed(const std::vector<::ItemID> &ids) { return listed(ids.data()); }

SelectionList selectionOf(std::vector<ItemID> ids) {
  SelectionList list;
  for (ItemID id : ids) EXPECT_FALSE(list.append(id));
  return list;
}

// A snapshot never changes: the first change after it was handed out moves
// it aside whole and goes on in a new array, which later changes reuse.
TEST(SelectionList, ASnapshotIsRetiredByTheFirstChangeAndLeftAsItWas) {
  SelectionList list = selectionOf({a, b});
  std::optional<RetiredSelection> retired;
  const ::ItemID *snapshot = list.share(SelectionSharing::kSnapshot, retired);
  EXPECT_FALSE(retired);
  EXPECT_EQ(list.share(SelectionSharing::kSnapshot, retired), snapshot);  // unchanged: the same array

  std::optional<RetiredSelection> byAppend = list.append(c);
  ASSERT_TRUE(byAppend);
  EXPECT_EQ(byAppend->ids.data(), snapshot);  // moved, not copied
  EXPECT_EQ(listed(byAppend->ids), (std::vector{a, b}));
  EXPECT_EQ(std::vector<ItemID>(list.view().begin(), list.view().end()), (std::vector{a, b, c}));
  EXPECT_FALSE(list.assign(b));  // nobody holds the new array
  EXPECT_FALSE(list.clear());

  for (auto change :
       {+[](SelectionList &l) { return l.assign(c); }, +[](SelectionList &l) { return l.clear(); }}) {
    SelectionList held = selectionOf({a, b});
    const ::ItemID *ids = held.share(SelectionSharing::kSnapshot, retired);
    std::optional<RetiredSelection> gone = change(held);
    ASSERT_TRUE(gone);
    EXPECT_EQ(gone->ids.data(), ids);
    EXPECT_EQ(listed(ids), (std::vector{a, b}));
  }
}

// A list rewritten in place keeps its address while the selection fits the
// room it was handed out with, and is retired, room and all, when it outgrows
// it.
TEST(SelectionList, AnInPlaceListIsRewrittenUntilTheSelectionOutgrowsItsRoom) {
  SelectionList list = selectionOf({a, b});
  std::optional<RetiredSelection> retired;
  const ::ItemID *ids = list.share(SelectionSharing::kInPlace, retired);
  EXPECT_FALSE(list.assign(c));
  EXPECT_EQ(listed(ids), std::vector{c});
  EXPECT_FALSE(list.append(a));
  EXPECT_EQ(listed(ids), (std::vector{c, a}));
  EXPECT_EQ(list.share(SelectionSharing::kInPlace, retired), ids);

  std::optional<RetiredSelection> outgrown = list.append(b);
  ASSERT_TRUE(outgrown);
  EXPECT_EQ(outgrown->sharing, SelectionSharing::kInPlace);
  EXPECT_EQ(outgrown->ids.data(), ids);
  EXPECT_EQ(outgrown->ids.size(), 3u);  // room for two, and the end
  EXPECT_EQ(listed(list.share(SelectionSharing::kInPlace, retired)), (std::vector{c, a, b}));
}

// An array keeps one promise: asked for the other kind, it is retired first;
// a scene replaced while its array is held retires it; once unshared, changes
// are made in place.
TEST(SelectionList, SwitchingKindsReplacingAndUnsharing) {
  SelectionList list = selectionOf({a});
  std::optional<RetiredSelection> retired;
  const ::ItemID *inPlace = list.share(SelectionSharing::kInPlace, retired);
  const ::ItemID *snapshot = list.share(SelectionSharing::kSnapshot, retired);
  ASSERT_TRUE(retired);
  EXPECT_EQ(retired->sharing, SelectionSharing::kInPlace);
  EXPECT_EQ(retired->ids.data(), inPlace);
  EXPECT_NE(snapshot, inPlace);
  EXPECT_EQ(listed(snapshot), std::vector{a});

  SelectionList loaded = selectionOf({b, c});
  std::optional<RetiredSelection> replaced = list.replace(std::move(loaded));
  ASSERT_TRUE(replaced);
  EXPECT_EQ(replaced->ids.data(), snapshot);
  EXPECT_EQ(list.size(), 2u);
  EXPECT_TRUE(loaded.empty());

  list.share(SelectionSharing::kSnapshot, retired);
  list.unshare();
  EXPECT_FALSE(list.append(a));
  EXPECT_EQ(list[2], a);
}

}  // namespace
}  // namespace layout

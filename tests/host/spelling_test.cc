// The one "did you mean" rule: what counts as a slip, and that the search is
// bounded for any input.
#include "host/text/spelling.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace layout {
namespace {

std::string hintFor(std::string_view typed, const std::vector<std::string> &candidates) {
  Suggestion suggestion(typed);
  for (const std::string &candidate : candidates) suggestion.consider(candidate);
  return suggestion.hint();
}

TEST(Spelling, DistancesCountSlipsAndStopAtTheLimit) {
  EXPECT_EQ(editDistanceWithin("colour", "COLOUR", 2), 0u);  // case alone costs nothing
  EXPECT_EQ(editDistanceWithin("laod", "load", 2), 1u);      // two letters swapped: one slip
  EXPECT_EQ(editDistanceWithin("selct", "select", 2), 1u);
  EXPECT_EQ(editDistanceWithin("kitten", "sitting", 3), 3u);
  EXPECT_EQ(editDistanceWithin("kitten", "sitting", 2), 3u);  // past the limit: limit + 1
  EXPECT_EQ(editDistanceWithin("a", "abcdef", 2), 3u);
  EXPECT_EQ(editDistanceWithin("", "ab", 2), 2u);
}

TEST(Spelling, SuggestsTheClosestSlipButNeverTheTypedWordItself) {
  EXPECT_EQ(hintFor("Mint_Pivot", {"Mint_Joints", "Mint_Pivots"}), " (did you mean \"Mint_Pivots\"?)");
  EXPECT_EQ(hintFor("laod", {"load", "select", "run"}), " (did you mean \"load\"?)");
  EXPECT_EQ(hintFor("Num", {"Col", "Rest Length"}), "");
  // A name that is there but ambiguous is not its own suggestion.
  EXPECT_EQ(hintFor("Dup", {"Dup", "Dup"}), "");
}

TEST(Spelling, AHugeNearMissAmongManyCandidatesAnswers) {
  const std::string typed(100000, 'x');
  std::vector<std::string> candidates(2000, std::string(100001, 'x'));
  candidates.emplace_back("x");
  // Each candidate is a slip away; the work cap stops the search long before
  // all of them are read, but what it found first is still a good answer.
  EXPECT_FALSE(hintFor(typed, candidates).empty());
  // One comparison that alone would pass the cap is not begun: no
  // suggestion rather than a long wait.
  EXPECT_EQ(hintFor(std::string(1000000, 'y'), {std::string(999999, 'y') + "z"}), "");
}

}  // namespace
}  // namespace layout

// The command log reads back every text exactly, with its own result, however
// texts repeat, share a form with another number in it, collide in the recent
// caches or outgrow a storage block, and from wherever a reader starts.
#include "host/commands/command_log.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <string>
#include <vector>

namespace layout {
namespace {

// Every third text is refused.
void appendAll(CommandLog &log, const std::vector<std::string> &texts) {
  for (size_t i = 0; i < texts.size(); ++i) log.append(texts[i], i % 3 != 0);
}

// Reads the whole log back three ways: in one walk, one entry at a time, and
// in walks that start at every position from `step` to `step`.
void expectExactly(const CommandLog &log, const std::vector<std::string> &texts, size_t step = 97) {
  ASSERT_EQ(log.size(), texts.size());
  ASSERT_EQ(log.texts(), texts);
  for (size_t i = 0; i < texts.size(); i += step) {
    ASSERT_EQ(log[i].text, texts[i]) << i;
    ASSERT_EQ(log[i].accepted, i % 3 != 0) << i;
    CommandLog::Reader reader(log, i);
    for (size_t j = i; j < std::min(texts.size(), i + 300); ++j) {
      ASSERT_EQ(reader.position(), j);
      const CommandLog::Entry entry = reader.next();
      ASSERT_EQ(entry.text, texts[j]) << "from " << i << " at " << j;
      ASSERT_EQ(entry.accepted, j % 3 != 0) << j;
    }
  }
}

TEST(CommandLogTest, RepeatsAndDistinctTextsReadBackInOrderWithTheirResults) {
  CommandLog log;
  log.append("SelectItem 40000001", true);
  log.append("BoneType 1", true);
  log.append("SelectItem 40000001", false);  // same text, other result
  log.append("", true);
  log.append(std::string_view("a\0b", 3), true);
  ASSERT_EQ(log.size(), 5u);
  EXPECT_EQ(log[0].text, "SelectItem 40000001");
  EXPECT_TRUE(log[0].accepted);
  EXPECT_EQ(log[2].text, "SelectItem 40000001");
  EXPECT_FALSE(log[2].accepted);
  EXPECT_EQ(log[3].text, "");
  EXPECT_EQ(log[4].text, std::string_view("a\0b", 3));
  EXPECT_EQ(log.texts(3).size(), 2u);
}

TEST(CommandLogTest, NumbersComeBackWithTheirZerosPointsSignsAndNeighbours) {
  CommandLog log;
  std::vector<std::string> texts = {
      "AddChildBone Bone_007", "AddChildBone Bone_008", "AddChildBone Bone_1000", "AddChildBone Bone_1",
      "BoneRestLength 0.050", "BoneRestLength 0.05", "BoneRestLength 0.5", "BoneRestLength 00.5",
      "BoneRestLength 5.", "BoneRestLength .5", "BoneRestLength -0.5", "BoneRestLength 1e10",
      "BoneRestLength 1.2.3", "Position 1.5 -2.25 0", "Position 1.5 -2.25 0.0", "SelectItem 4000000a",
      "SelectItem 40000009", "SelectItem 0x40000009", "3 leading digits", "StatusMsg {0.000500} Creating",
      "StatusMsg {0.000000}", "StatusMsg {1.000000} Creating",
      // 18 digits are kept as a number, more are kept whole.
      "Value 999999999999999999", "Value 9999999999999999999", "Value 000000000000000000",
      "Value 12345678901234567890123456789", "Value 0.00000000000000000001", std::string("Nul\0 9", 6),
      std::string("9\0", 2), "\xff\xfe 12", "12\n", "ends with a point 12.", "AddNull Null_01 copy 2"};
  // Each again, so that a form met before carries the number.
  const std::vector<std::string> again = texts;
  texts.insert(texts.end(), again.begin(), again.end());
  appendAll(log, texts);
  expectExactly(log, texts, 1);
}

TEST(CommandLogTest, CountersThatRiseFallAndJumpAcrossManyMarks) {
  CommandLog log;
  std::vector<std::string> texts;
  for (int i = 0; i < 5000; ++i) {
    texts.push_back("AddChildBone Bone_" + std::to_string(1000 + (i % 1000)));
    texts.push_back("StatusMsg {" + std::to_string(5000 - i) + "} Creating");
    texts.push_back("Jump " + std::to_string(i % 2 ? 999999999999999999ULL : 0));
    texts.push_back("BoneStrength 0.5");
    texts.push_back("ItemColor " + std::to_string(i % 15));
  }
  appendAll(log, texts);
  expectExactly(log, texts);
}

// A run repeats a short cycle of texts; texts that nearly fit the one that
// usually comes next must still come back as they were sent.
TEST(CommandLogTest, TextsThatNearlyFitTheTextThatUsuallyFollowsRoundTrip) {
  const std::vector<std::vector<std::string>> nearly = {
      // a digit more or less, a sign, a point moved, letters for digits
      {"AddChildBone Bone_0071", "AddChildBone Bone_07", "AddChildBone Bone_-007", "AddChildBone Bone_0.07",
       "AddChildBone Bone_0O7", "AddChildBone Bone1_007", "AddChildBone Bone_007x", "AddChildBone Bone_007\n",
       "AddChildBone Bone_", "AddChildBone Bone_007 2"},
      {"BoneRestLength 0.55", "BoneRestLength -0.5", "BoneRestLength 05.", "BoneRestLength .5",
       "BoneRestLength 0.5 ", "BoneRestLength 0,5", std::string("BoneRestLength 0\0005", 17)},
      {"StatusMsg {0.0000011} Creating", "StatusMsg {-0.000001} Creating", "StatusMsg {00.00001} Creating",
       "StatusMsg {0.000001} Creatinf", "StatusMsg {0.000001} Creating!", "StatusMsg {0.00000a} Creating",
       "StatusMsg {0.000001}\x01Creating", "StatusMsg {1.000000.5} Creating", "StatusMsg {0.000001}"}};
  std::mt19937 random(5);
  std::vector<std::string> texts;
  for (int bone = 1; bone < 6000; ++bone) {
    char progress[16];
    std::snprintf(progress, sizeof progress, "%.6f", bone / 1e6);
    std::vector<std::string> cycle = {"AddChildBone Bone_" +
                                          std::string(bone < 10    ? "00"
                                                      : bone < 100 ? "0"
                                                                   : "") +
                                          std::to_string(bone % 1000),
                                      "BoneRestLength 0.5",
                                      std::string("StatusMsg {") + progress + "} Creating"};
    if (random() % 4 == 0) {
      const size_t which = random() % cycle.size();
      cycle[which] = nearly[which][random() % nearly[which].size()];
    }
    if (random() % 16 == 0) cycle.push_back(cycle.back());  // the same number twice running
    texts.insert(texts.end(), cycle.begin(), cycle.end());
  }
  CommandLog log;
  appendAll(log, texts);
  expectExactly(log, texts, 61);
}

TEST(CommandLogTest, ManyTextsAcrossBlocksAndCacheCollisionsStayExact) {
  CommandLog log;
  std::vector<std::string> texts;
  for (int i = 0; i < 100000; ++i) {
    texts.push_back("AddChildBone Bone_" + std::to_string(i % 1000));
    texts.push_back("StatusMsg {" + std::to_string(i) + "} Creating");
    texts.push_back("Name" + std::to_string(i % 7) + "_" + std::string(1 + i % 5, 'x'));  // many forms
    texts.push_back("BoneType 1");
  }
  appendAll(log, texts);
  expectExactly(log, texts, 997);
}

TEST(CommandLogTest, RandomTextsOfDigitsPointsAndLettersRoundTrip) {
  std::mt19937 random(11);
  const std::string alphabet = "0123456789..--  aZ{}_x";
  std::vector<std::string> pool;
  for (int i = 0; i < 400; ++i) {
    std::string text;
    const size_t length = random() % 24;
    for (size_t j = 0; j < length; ++j) text += alphabet[random() % alphabet.size()];
    pool.push_back(text);
  }
  std::vector<std::string> texts;
  for (int i = 0; i < 30000; ++i) texts.push_back(pool[random() % (i % 2 ? 8 : pool.size())]);
  CommandLog log;
  appendAll(log, texts);
  expectExactly(log, texts, 31);
}

TEST(CommandLogTest, LongTextsOfEveryLengthPrefixSize) {
  CommandLog log;
  // Short texts around ones longer than a storage block, some with a number.
  const std::vector<std::string> texts = {"a",
                                          std::string(127, 'b'),
                                          std::string(128, 'c') + "5",
                                          "d",
                                          std::string(20000, 'e'),
                                          std::string(300000, 'f') + "12.5",
                                          "g",
                                          std::string(300000, 'f') + "12.75"};
  appendAll(log, texts);
  EXPECT_EQ(log.texts(), texts);
}

TEST(CommandLogTest, CountsRefusedEntriesInAnyStretch) {
  CommandLog log;
  std::vector<std::string> texts;
  for (int i = 0; i < 1000; ++i) texts.push_back("ItemColor " + std::to_string(i % 20));
  appendAll(log, texts);  // refused: 0, 3, 6, ...
  EXPECT_EQ(log.refusedBetween(0, 1000), 334u);
  EXPECT_EQ(log.refusedBetween(1, 3), 0u);
  EXPECT_EQ(log.refusedBetween(3, 4), 1u);
  EXPECT_EQ(log.refusedBetween(500, 1000), 167u);
  EXPECT_EQ(log.refusedBetween(600, 600), 0u);
  log.setEnabled(false);
  EXPECT_FALSE(log.append("ItemColor 3", false));
  EXPECT_EQ(log.refusedBetween(0, 2000), 334u);
  log.clear();
  log.setEnabled(true);
  EXPECT_TRUE(log.append("ItemColor 3", true));
  EXPECT_TRUE(log.append("ItemColor 4", false));
  EXPECT_EQ(log.refusedBetween(0, 2), 1u);
  EXPECT_EQ(std::vector<size_t>(log.refusedEntries().begin(), log.refusedEntries().end()),
            std::vector<size_t>{1});
}

TEST(CommandLogTest, AReaderMovesAheadAndBackToAnyEntry) {
  CommandLog log;
  std::vector<std::string> texts;
  for (int i = 0; i < 2000; ++i) texts.push_back("AddChildBone Bone_" + std::to_string(i));
  appendAll(log, texts);
  CommandLog::Reader reader(log, 0);
  for (size_t entry : {5u, 6u, 130u, 129u, 1999u, 0u, 1000u, 1127u, 1128u}) {
    reader.moveTo(entry);
    ASSERT_EQ(reader.position(), entry);
    EXPECT_EQ(reader.next().text, texts[entry]) << entry;
  }
}

TEST(CommandLogTest, ClearEmptiesTheLogForANewTranscript) {
  CommandLog log;
  log.append("EditObjects", true);
  log.append("ItemColor 3", true);
  log.append("ItemColor 4", true);
  log.clear();
  EXPECT_TRUE(log.empty());
  log.append("EditObjects", false);
  log.append("ItemColor 5", true);
  log.append("ItemColor 4", true);
  EXPECT_EQ(log.texts(), (std::vector<std::string>{"EditObjects", "ItemColor 5", "ItemColor 4"}));
  EXPECT_FALSE(log[0].accepted);
}

}  // namespace
}  // namespace layout

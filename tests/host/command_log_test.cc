// The command log reads back every text exactly, with its own result, however
// texts repeat, collide in the recent-text cache or outgrow a storage block.
#include "host/commands/command_log.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace layout {
namespace {

// Every third text is refused.
void appendAll(CommandLog &log, const std::vector<std::string> &texts) {
  for (size_t i = 0; i < texts.size(); ++i) log.append(texts[i], i % 3 != 0);
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

  // A repeat shares the stored copy; that is what keeps big runs small.
  EXPECT_EQ(log[0].text.data(), log[2].text.data());
}

TEST(CommandLogTest, ManyTextsAcrossBlocksAndCacheCollisionsStayExact) {
  CommandLog log;
  std::vector<std::string> texts;
  for (int i = 0; i < 100000; ++i) {
    texts.push_back("AddChildBone Bone_" + std::to_string(i % 1000));
    texts.push_back("StatusMsg {" + std::to_string(i) + "} Creating");
    texts.push_back("BoneType 1");
  }
  log.append("ItemColor 3", true);
  const std::string_view first = log[0].text;
  appendAll(log, texts);
  EXPECT_EQ(first, "ItemColor 3") << "a text stays valid while the log grows";
  texts.insert(texts.begin(), "ItemColor 3");
  ASSERT_EQ(log.size(), texts.size());
  for (size_t i = 0; i < texts.size(); ++i) {
    ASSERT_EQ(log[i].text, texts[i]) << i;
    ASSERT_EQ(log[i].accepted, i == 0 || (i - 1) % 3 != 0) << i;
  }
}

TEST(CommandLogTest, LongTextsOfEveryLengthPrefixSize) {
  CommandLog log;
  // Lengths that take one, two and three length digits, and one larger than
  // a storage block, between short texts.
  const std::vector<std::string> texts = {"a", std::string(127, 'b'),   std::string(128, 'c'),
                                          "d", std::string(20000, 'e'), std::string(300000, 'f'),
                                          "g", std::string(300000, 'f')};
  appendAll(log, texts);
  EXPECT_EQ(log.texts(), texts);
}

TEST(CommandLogTest, ClearEmptiesTheLogForANewTranscript) {
  CommandLog log;
  log.append("EditObjects", true);
  log.append("EditObjects", true);
  log.clear();
  EXPECT_TRUE(log.empty());
  log.append("EditObjects", false);
  log.append("EditBones", true);
  EXPECT_EQ(log.texts(), (std::vector<std::string>{"EditObjects", "EditBones"}));
  EXPECT_FALSE(log[0].accepted);
}

}  // namespace
}  // namespace layout

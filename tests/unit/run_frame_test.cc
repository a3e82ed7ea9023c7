// The framing both creation runs share, driven directly: what a run sends
// before its first item, between items and after its last, and what it
// restores.
#include "runs/run_frame.h"

#include <gtest/gtest.h>

#include "run_fake.h"

namespace mint {
namespace {

using testing::RunFake;
using Texts = std::vector<std::string>;

// A run of `items` items that reports each one, then selects and closes.
Texts framedRun(RunFake &fake, bool modernHost, int64_t items) {
  RunFrame frame(fake.host(), modernHost, items);
  for (int64_t i = 0; i < items; ++i) frame.itemDone();
  frame.selecting();
  frame.close();
  return fake.sent;
}

TEST(RunFrame, LongRunOnAModernHostReportsEveryItemBetweenTheDynamicUpdateTexts) {
  RunFake fake;
  fake.dynamicUpdate = 2;
  const Texts sent = framedRun(fake, true, 200);
  ASSERT_EQ(sent.size(), 1u + 200u + 3u);
  EXPECT_EQ(sent[0], "DynamicUpdate 0");
  EXPECT_EQ(sent[1], "StatusMsg {0.005000} Creating");
  EXPECT_EQ(sent[100], "StatusMsg {0.500000} Creating");
  EXPECT_EQ(sent[200], "StatusMsg {1.000000} Creating");
  const Texts closing = {"StatusMsg Selecting", "DynamicUpdate 2", "StatusMsg Done"};
  EXPECT_EQ(Texts(sent.end() - 3, sent.end()), closing);
}

TEST(RunFrame, ShortRunsOldHostsAndEmptyRunsShowNoProgress) {
  for (const auto &[modern, items] : {std::pair{true, int64_t{100}}, std::pair{false, int64_t{101}},
                                      std::pair{true, int64_t{0}}, std::pair{true, int64_t{-5}}}) {
    RunFake fake;
    fake.dynamicUpdate = 1;
    EXPECT_EQ(framedRun(fake, modern, items), (Texts{"DynamicUpdate 0", "DynamicUpdate 1"})) << items;
  }
}

TEST(RunFrame, DynamicUpdateOffStaysUntouched) {
  RunFake fake;
  const Texts sent = framedRun(fake, true, 101);
  EXPECT_EQ(sent.front(), "StatusMsg {0.009901} Creating");
  EXPECT_EQ(Texts(sent.end() - 2, sent.end()), (Texts{"StatusMsg Selecting", "StatusMsg Done"}));
}

// The setting to restore is the one the host reports when the run closes,
// not the one it reported when the run began.
TEST(RunFrame, RestoresTheSettingTheHostReportsAtTheClose) {
  RunFake fake;
  fake.dynamicUpdate = 2;
  {
    RunFrame frame(fake.host(), true, 3);
    fake.interfaceInfo.dynaUpdate = 1;
    frame.close();
  }
  EXPECT_EQ(fake.sent, (Texts{"DynamicUpdate 0", "DynamicUpdate 1"}));

  fake.sent.clear();
  {
    RunFrame frame(fake.host(), true, 3);
    fake.interfaceInfo.dynaUpdate = 0;
    frame.close();
  }
  EXPECT_EQ(fake.sent, (Texts{"DynamicUpdate 0"}));
}

}  // namespace
}  // namespace mint

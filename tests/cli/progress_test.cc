// The progress bar on a terminal: drawn in place, only when it changes.
#include "tools/progress.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace sim {
namespace {

class ProgressOnATerminal : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_NE(file_, nullptr); }
  void TearDown() override { std::fclose(file_); }

  std::string written() {
    std::fflush(file_);
    std::string text(static_cast<size_t>(std::ftell(file_)), '\0');
    std::rewind(file_);
    text.resize(std::fread(text.data(), 1, text.size(), file_));
    return text;
  }

  std::FILE *file_ = std::tmpfile();
};

TEST_F(ProgressOnATerminal, RedrawsOnEachNewPercentAndEndsTheLine) {
  {
    Progress progress(file_, true);
    progress.status("Creating", 0.001);
    progress.status("Creating", 0.004);  // still 0%: not drawn again
    progress.status("Creating", 0.5);
    progress.status("Selecting", std::nullopt);
    progress.status("Done", std::nullopt);
  }
  const std::string bar(15, '#');
  EXPECT_EQ(written(), "\r\033[KCreating   [" + std::string(30, '.') + "]   0%" + "\r\033[KCreating   [" +
                           bar + std::string(15, '.') + "]  50%" + "\r\033[KSelecting  [" + bar +
                           std::string(15, '.') + "]  50%" + "\r\033[KDone       [" + std::string(30, '#') +
                           "] 100%\n");
}

TEST_F(ProgressOnATerminal, ARunThatStopsEarlyStillEndsItsLine) {
  {
    Progress progress(file_, true);
    progress.status("Creating", 0.25);
  }
  const std::string text = written();
  ASSERT_FALSE(text.empty());
  EXPECT_EQ(text.back(), '\n');
  EXPECT_NE(text.find(" 25%"), std::string::npos);
}

}  // namespace
}  // namespace sim

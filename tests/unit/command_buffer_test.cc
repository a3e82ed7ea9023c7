#include "runs/command_buffer.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdio>
#include <limits>
#include <string>

namespace mint {
namespace {

std::string printfStyle(const char *format, double value) {
  char out[400];
  std::snprintf(out, sizeof out, format, value);
  return out;
}

TEST(NumberTexts, MatchPrintfInTheCLocale) {
  const double values[] = {0.5,
                           0.3f,
                           123.456789,
                           1.0,
                           0.999,
                           1e-7,
                           1e21,
                           -2.5,
                           0.0,
                           1.0 / 3.0,
                           1e300,
                           -0.0,
                           std::numeric_limits<double>::infinity(),
                           0.25f,
                           100000,
                           1234567.0,
                           0.0001,
                           5e-5};
  for (double value : values) {
    CommandText command;
    formatFloatCommand(command, "BoneStrength ", value);
    EXPECT_EQ(command.text, "BoneStrength " + printfStyle("%g", value)) << value;
  }
  for (double fraction : {0.0, 0.005, 1.0 / 101, 1.0, 0.9999995, 1.0000001}) {
    CommandText command;
    formatProgress(command, fraction);
    EXPECT_EQ(command.text, "StatusMsg {" + printfStyle("%f", fraction) + "} Creating") << fraction;
  }
}

// A host process may run in a locale that writes a decimal comma; command
// texts keep the point.
TEST(NumberTexts, KeepThePointInACommaLocale) {
  const std::string previous = std::setlocale(LC_NUMERIC, nullptr);
  if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") == nullptr) {
    GTEST_SKIP() << "no de_DE.UTF-8 locale on this machine (scripts/setup makes one)";
  }
  ASSERT_EQ(printfStyle("%g", 0.5), "0,5");  // the locale is really in force
  CommandText rest;
  formatFloatCommand(rest, "BoneRestLength ", 0.5);
  CommandText progress;
  formatProgress(progress, 0.005);
  std::setlocale(LC_NUMERIC, previous.c_str());
  EXPECT_STREQ(rest.text, "BoneRestLength 0.5");
  EXPECT_STREQ(progress.text, "StatusMsg {0.005000} Creating");
}

}  // namespace
}  // namespace mint

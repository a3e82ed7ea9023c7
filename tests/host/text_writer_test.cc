// The buffered writer hands on exactly what it was given, in order, whether
// pieces fit the buffer, straddle its end or are larger than it.
#include "host/text/text_writer.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <fcntl.h>
#include <unistd.h>
#endif

#include <cerrno>
#include <sstream>
#include <string>

namespace layout {
namespace {

// The same pieces through a writer, and appended directly.
template <typename Target>
std::string writeMixed(Target &target, std::string &expected, bool inBackground = false) {
  {
    TextWriter out(target);
    if (inBackground) out.writeInBackground();
    for (int i = 0; i < 20000; ++i) {
      out << "line " << i << ' ' << -i << '\n';
      expected += "line " + std::to_string(i) + ' ' + std::to_string(-i) + '\n';
      if (i % 5000 == 0) {
        const std::string big(70000 + i, static_cast<char>('a' + i % 26));  // larger than the buffer
        out << big;
        expected += big;
        out.fill('.', 100000);
        expected.append(100000, '.');
      }
    }
    out << uint64_t{18446744073709551615u} << std::string_view("\0z", 2);
    expected += "18446744073709551615";
    expected += std::string_view("\0z", 2);
  }
  return expected;
}

TEST(TextWriterTest, StringsAndStreamsGetEveryPieceInOrder) {
  std::string text, expected;
  writeMixed(text, expected);
  EXPECT_EQ(text, expected);

  std::ostringstream stream;
  std::string expectedToo;
  writeMixed(stream, expectedToo);
  EXPECT_EQ(stream.str(), expectedToo);
}

TEST(TextWriterTest, InTheBackgroundEveryPieceStillArrivesInOrder) {
  std::ostringstream stream;
  std::string expected;
  writeMixed(stream, expected, true);
  EXPECT_EQ(stream.str(), expected);

  // Flushed halfway, and written on after that.
  std::ostringstream again;
  TextWriter out(again);
  out.writeInBackground();
  std::string sent;
  for (int i = 0; i < 100000; ++i) {
    out << "entry " << i << '\n';
    sent += "entry " + std::to_string(i) + '\n';
    if (i == 50000) {
      out.flush();
      EXPECT_EQ(again.str(), sent);
    }
  }
  out.flush();
  EXPECT_EQ(again.str(), sent);
}

#ifndef _WIN32
TEST(TextWriterTest, AFullDeviceIsReportedWithItsReasonAfterAFlush) {
  const int fd = ::open("/dev/full", O_WRONLY);
  ASSERT_GE(fd, 0);
  for (bool inBackground : {false, true}) {
    TextWriter out(fd);
    if (inBackground) out.writeInBackground();
    out.fill('x', 1000000);
    out << "the rest";
    out.flush();
    EXPECT_TRUE(out.failed()) << inBackground;
    EXPECT_EQ(errno, ENOSPC) << inBackground;
  }
  ::close(fd);
}
#endif

TEST(TextWriterTest, FlushHandsOnWhatIsBufferedSoFar) {
  std::ostringstream stream;
  TextWriter out(stream);
  out << "Scene:" << '\n';
  EXPECT_EQ(stream.str(), "");
  out.flush();
  EXPECT_EQ(stream.str(), "Scene:\n");
}

}  // namespace
}  // namespace layout

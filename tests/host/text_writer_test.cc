// The buffered writer hands on exactly what it was given, in order, whether
// pieces fit the buffer, straddle its end or are larger than it.
#include "host/text/text_writer.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace layout {
namespace {

// The same pieces through a writer, and appended directly.
template <typename Target>
std::string writeMixed(Target &target, std::string &expected) {
  {
    TextWriter out(target);
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

// layout-sim panel: the open panel drawn or listed, and nothing sent.
#include <string>

#include "layout_sim.h"

namespace sim::cli_test {
namespace {

using Panel = LayoutSim;
constexpr auto npos = std::string::npos;

TEST_F(Panel, SvgShowsTitleLabelsAndCurrentEntries) {
  const Result r = run({"panel", "Mint_Pivots", "--build", "1447", "--svg", "pictures/pivots.svg"});
  ASSERT_EQ(r.status, 0) << r.err;
  const std::string svg = read("pictures/pivots.svg");
  for (const char *expected :
       {"<svg ", "Mint_Pivots", "314 x 248", "Unseen by Rays", "Alpha Channel", "Unaffected by Objects",
        "LW_Setting", "CountSt", "<!-- BoolControl \"local Zero\", ghosted -->"}) {
    EXPECT_NE(svg.find(expected), npos) << expected;
  }
  // List texts show without the host's formatting codes.
  EXPECT_EQ(svg.find('\x03'), npos);
  EXPECT_EQ(svg.find("(i:"), npos);
}

TEST_F(Panel, TextListingFollowsBuildAndActions) {
  Result r = run({"panel", "Mint_Joints", "--build", "1166"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out.rfind("Mint_Joints: 314 x 142 pixels, 12 controls, host build 1166\n", 0), 0u) << r.out;
  EXPECT_EQ(r.out.find("joint Bone"), npos);

  r = run({"panel", "Mint_Joints", "--build", "1447", "--set", "icon=val"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("\"joint Bone\""), npos);
  EXPECT_NE(r.out.find("(iconPercent)                100%\n"), npos) << r.out;  // "val" un-ghosts it

  r = run({"panel", "Mint_Pivots", "--tick", "Parent (x)"});
  EXPECT_NE(r.out.find("\"local Zero\"                 on\n"), npos) << r.out;

  // Closing the panel leaves nothing to draw.
  r = run({"panel", "Mint_Pivots", "--key", "d"});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("closed before it could be drawn"), npos) << r.err;
}

TEST_F(Panel, PngNeedsRsvgConvert) {
#ifdef _WIN32
  GTEST_SKIP() << "rsvg-convert is a program of the build machine, not of Windows";
#endif
  Result r = run({"panel", "Mint_Joints", "--png", "bones.png"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(read("bones.png").substr(0, 4), "\x89PNG");

  r = runWithPath({"panel", "Mint_Joints", "--png", "none.png"}, "/nonexistent");
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("rsvg-convert was not found"), npos) << r.err;
  EXPECT_FALSE(exists("none.png"));
}

}  // namespace
}  // namespace sim::cli_test

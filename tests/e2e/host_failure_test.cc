// Failures of the host itself: an exception inside a host call stops at the
// host's C boundary, is recorded as the host's failure (not the module's
// misuse), and the rest of the run is not carried out.
#include <new>

#include "mint_host.h"

namespace mint::e2e {
namespace {

using HostFailure = MintHost;

TEST_F(HostFailure, AFailureWhileThePanelIsOpenReachesNeitherTheModuleNorTheScene) {
  object("Body");
  const size_t items = host.scene().itemCount();
  EXPECT_EQ(run("Mint_Pivots", {user::setText("Num", "3"),
                                user::inspect([](const layout::PanelView &) { throw std::bad_alloc(); })}),
            0);
  EXPECT_EQ(host.diagnostics().hostFailures(), (Texts{"LWPanelServices.open: std::bad_alloc"}));
  EXPECT_TRUE(host.diagnostics().messages().empty());  // the module is not blamed
  EXPECT_TRUE(sent().empty());
  EXPECT_EQ(host.scene().itemCount(), items);
}

TEST_F(HostFailure, AFailedCommandStopsTheRestOfTheRun) {
  int statuses = 0;
  host.commands().setStatusObserver([&statuses](const layout::StatusMessage &) {
    if (++statuses == 2) throw std::bad_alloc();
  });
  EXPECT_EQ(run("Mint_Pivots", {user::setText("Num", "150")}), 0);
  EXPECT_EQ(host.diagnostics().hostFailures(), (Texts{"evaluate: std::bad_alloc"}));
  EXPECT_TRUE(host.diagnostics().messages().empty());
  // Two nulls were made before the failure; every later text was refused.
  EXPECT_EQ(host.scene().items(layout::ItemType::kObject).size(), 2u);
  const size_t refused = host.rejections().size();
  EXPECT_GT(refused, 100u);
  EXPECT_EQ(host.rejections().back().reason, "not carried out: the host failed earlier in this run");
}

}  // namespace
}  // namespace mint::e2e

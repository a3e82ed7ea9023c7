#include "runs/run_frame.h"

namespace mint {

namespace {

// Runs longer than this report their progress.
constexpr int64_t kProgressAbove = 100;

}  // namespace

RunFrame::RunFrame(const RunHost &host, bool modernHost, int64_t items)
    : local_(host.local),
      interfaceInfo_(host.interfaceInfo),
      progress_(modernHost && items > kProgressAbove) {
  if (progress_) increment_ = 1.0 / static_cast<double>(items);
  if (interfaceInfo_->dynaUpdate != 0) sendDynamicUpdate(local_, 0);
}

void RunFrame::itemDone() {
  if (!progress_) return;
  fraction_ += increment_;
  formatProgress(text_, fraction_);
  sendCommand(local_, text_.text);
}

void RunFrame::selecting() {
  if (progress_) sendStatus(local_, 1);
}

void RunFrame::close() {
  // Read again: the host reports the setting to restore, which the run's own
  // "DynamicUpdate 0" does not hide.
  const int dynamicUpdate = interfaceInfo_->dynaUpdate;
  if (dynamicUpdate != 0) sendDynamicUpdate(local_, dynamicUpdate);
  if (progress_) sendStatus(local_, 0);
}

}  // namespace mint

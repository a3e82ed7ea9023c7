#include "tools/progress.h"

#include <algorithm>
#include <cmath>

namespace sim {
namespace {

constexpr int kBarWidth = 30;

}  // namespace

void Progress::status(std::string_view text, std::optional<double> fraction) {
  if (text == "Done") {
    if (showing_ && terminal_) {
      label_ = "Done";
      percent_ = 100;
      draw();
    } else if (showing_) {
      std::fprintf(out_, "Done\n");
    }
    finish();
    return;
  }
  if (fraction) {
    const int percent = std::clamp(static_cast<int>(std::floor(*fraction * 100.0 + 1e-9)), 0, 100);
    const bool relabelled = !showing_ || label_ != text;
    showing_ = true;
    if (relabelled) label_ = text;
    if (terminal_) {
      if (relabelled || percent != percent_) {
        percent_ = percent;
        draw();
      }
      return;
    }
    const int tenth = percent / 10;
    if (relabelled || tenth > reportedTenth_) {
      reportedTenth_ = tenth;
      std::fprintf(out_, "%s: %d%%\n", label_.c_str(), tenth * 10);
      std::fflush(out_);
    }
    return;
  }
  // A message without progress, such as "Selecting": a new stage of the run.
  if (terminal_ && showing_) {
    label_ = std::string(text);
    draw();
    return;
  }
  std::fprintf(out_, "%.*s\n", static_cast<int>(text.size()), text.data());
  std::fflush(out_);
}

void Progress::draw() {
  const int filled = kBarWidth * std::max(percent_, 0) / 100;
  std::string bar(static_cast<size_t>(filled), '#');
  bar.resize(kBarWidth, '.');
  std::fprintf(out_, "\r\033[K%-10s [%s] %3d%%", label_.c_str(), bar.c_str(), std::max(percent_, 0));
  std::fflush(out_);
}

void Progress::finish() {
  if (showing_ && terminal_) {
    std::fprintf(out_, "\n");
    std::fflush(out_);
  }
  showing_ = false;
  label_.clear();
  percent_ = -1;
  reportedTenth_ = -1;
}

}  // namespace sim

// Progress of a long run, from the module's "StatusMsg" texts: "{0.25}
// Creating" moves a bar, "Selecting" relabels it, "Done" ends it. On a
// terminal the bar redraws in place; elsewhere (a log file, a pipe) a plain
// line is written at every tenth of the way instead of one per message.
#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

namespace sim {

class Progress {
 public:
  // Writes to `out`, drawing in place when `terminal` is true.
  Progress(std::FILE *out, bool terminal) : out_(out), terminal_(terminal) {}
  ~Progress() { finish(); }
  Progress(const Progress &) = delete;
  Progress &operator=(const Progress &) = delete;

  // One status message: its text without the progress part, and the
  // progress in 0-1 when it carries one.
  void status(std::string_view text, std::optional<double> fraction);
  // Ends a bar still showing (a run that stopped without "Done").
  void finish();

 private:
  void draw();

  std::FILE *out_;
  bool terminal_;
  bool showing_ = false;
  std::string label_;
  int percent_ = -1;        // drawn on the terminal
  int reportedTenth_ = -1;  // the last tenth written as a line
};

}  // namespace sim

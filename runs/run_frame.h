// The framing both creation runs share: dynamic update switched off for the
// run and restored after it, the progress line of long runs, and the closing
// status.
#pragma once

#include <cstdint>

#include "runs/command_buffer.h"
#include "runs/run_host.h"

namespace mint {

class RunFrame {
 public:
  // Switches dynamic update off when the host has it on. A run of more than
  // 100 items on a host of `modernHost` builds reports its progress.
  RunFrame(const RunHost &host, bool modernHost, int64_t items);
  RunFrame(const RunFrame &) = delete;
  RunFrame &operator=(const RunFrame &) = delete;

  // One item is done: "StatusMsg {<fraction>} Creating" when progress shows.
  void itemDone();
  // The run goes on to select what it made: "StatusMsg Selecting" when
  // progress shows.
  void selecting();
  // Sends the dynamic-update setting the host reports now, unless it is 0,
  // then "StatusMsg Done" when progress showed.
  void close();

 private:
  const GenericLocal *local_;
  const InterfaceInfo *interfaceInfo_;
  bool progress_;
  double increment_ = 0.0;
  double fraction_ = 0.0;
  CommandText text_;
};

}  // namespace mint

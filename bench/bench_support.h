// Shared pieces of the benchmarks: the counters every run reports, heap
// accounting, a recorded transcript to replay, and running code inside a
// host activation.
#pragma once

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "host/host.h"
#include "layout.h"

namespace mint::bench {

// Bytes the heap hands out now: small chunks plus mmapped blocks, so a
// vector's spare capacity counts as it costs.
inline size_t heapBytes() {
  const struct mallinfo2 info = mallinfo2();
  return info.uordblks + info.hblkhd;
}

// Per-iteration command count as rates over CPU time: commands per second and
// nanoseconds per command.
inline void reportCommands(benchmark::State &state, double commands) {
  state.counters["cmds"] = commands;
  state.counters["cmd/s"] = benchmark::Counter(commands, benchmark::Counter::kIsIterationInvariantRate);
  // Inverted, the rate is seconds per command (printed with an "n" prefix).
  state.counters["s/cmd"] = benchmark::Counter(
      commands, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

inline void reportBones(benchmark::State &state, double bones) {
  state.counters["bones/s"] = benchmark::Counter(bones, benchmark::Counter::kIsIterationInvariantRate);
}

// The texts of one run, each NUL-terminated in one arena, sent again in order
// to measure what handing them over costs without composing them.
class Transcript {
 public:
  explicit Transcript(const std::vector<std::string> &texts) {
    size_t total = 0;
    for (const std::string &text : texts) total += text.size() + 1;
    chars_.reserve(total);
    std::vector<size_t> offsets;
    for (const std::string &text : texts) {
      offsets.push_back(chars_.size());
      chars_.append(text).push_back('\0');
    }
    for (size_t offset : offsets) texts_.push_back(chars_.data() + offset);
  }

  void replay(const GenericLocal *local) const {
    for (const char *text : texts_) local->evaluate(local->data, text);
  }
  size_t size() const { return texts_.size(); }

 private:
  std::string chars_;
  std::vector<const char *> texts_;
};

// Runs `body(local)` as one activation of `host`, with the host's own
// evaluate and its services bound as for a module.
template <typename Body>
void activateWith(layout::Host &host, Body &body) {
  host.activate(
      [](int, GlobalFunc *, void *local, void *data) -> int {
        (*static_cast<Body *>(data))(static_cast<const GenericLocal *>(local));
        return 0;
      },
      &body);
}

// A fresh host with the real module loaded, told a recent build. Reports a
// load failure as an error of the benchmark and returns false.
inline bool loadMint(benchmark::State &state, layout::Host &host) {
  if (const auto error = host.loadModule(MINT_MODULE_PATH)) {
    state.SkipWithError(("cannot load the module " MINT_MODULE_PATH ": " + error->message).c_str());
    return false;
  }
  host.setBuild(2000);
  return true;
}

// True when the activation went as planned: every text carried out, every
// scripted action taken, the host never misused. Otherwise marks the
// benchmark as failed.
inline bool cleanRun(benchmark::State &state, layout::Host &host) {
  std::string problem;
  if (!host.rejections().empty()) problem = "refused: " + host.rejections().front().message();
  if (!host.diagnostics().messages().empty()) problem = "misuse: " + host.diagnostics().messages().front();
  if (!host.scriptedFrontEnd().errors().empty())
    problem = "script: " + host.scriptedFrontEnd().errors().front();
  if (problem.empty()) return true;
  state.SkipWithError(problem.c_str());
  return false;
}

// Runs `server` in the host and checks that it sent exactly the sink run's
// `texts`, so both sides measure the same work; then times handing those
// texts to the sink without composing them.
template <typename Sink>
void timeCopyOfSameRun(benchmark::State &state, layout::Host &host, const char *server,
                       const std::vector<std::string> &texts, Sink &sink) {
  host.activate(server);
  if (!cleanRun(state, host)) return;
  if (host.commandLog().texts() != texts) {
    state.SkipWithError("the module in the host sent other texts than the sink run");
    return;
  }
  const Transcript transcript(texts);
  for (auto _ : state) {
    sink.reset();
    transcript.replay(sink.local());
  }
  reportCommands(state, static_cast<double>(transcript.size()));
}

// What one timed activation in a fresh host sent and left on the heap.
struct HostRunCost {
  double commands = 0;
  double bytes = 0;
  bool clean = true;
};

// Times `server` once per iteration, each time in a fresh host made by
// `makeHost` on a cold heap, as a first run in a process is.
template <typename MakeHost>
HostRunCost timeFreshHostRuns(benchmark::State &state, const char *server, bool logOn, MakeHost makeHost) {
  HostRunCost cost;
  std::unique_ptr<layout::Host> host;
  for (auto _ : state) {
    state.PauseTiming();
    host.reset();
    malloc_trim(0);
    host = makeHost();
    if (!host) return {0, 0, false};
    host->commands().log().setEnabled(logOn);
    const size_t before = heapBytes();
    const size_t sentBefore = host->commands().commandCount();
    state.ResumeTiming();
    host->activate(server);
    state.PauseTiming();
    cost.bytes = static_cast<double>(heapBytes() - before);
    cost.commands = static_cast<double>(host->commands().commandCount() - sentBefore);
    if (!cleanRun(state, *host)) return {0, 0, false};
    state.ResumeTiming();
  }
  return cost;
}

}  // namespace mint::bench

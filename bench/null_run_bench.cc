// The null run, 1000 nulls with every option on: driven directly against the
// sink, its texts replayed to the sink (the copy baseline), and the real
// module carrying it out in the full host from a scripted panel.
#include <memory>

#include "bench/bench_support.h"
#include "bench/sink_host.h"
#include "runs/null_run.h"

namespace mint::bench {
namespace {

constexpr int32_t kNulls = 1000;

// Numbers on both sides, a colour, inactive, parented in a hierarchy at the
// local origin, selected afterwards, every render flag sent, progress shown.
NullOptions everyOption() {
  NullOptions o = {};
  o.hostBuild = 2000;
  o.prefixCode = 3;
  o.suffixCode = 3;
  o.startNumber = 1;
  o.count = kNulls;
  o.colourCode = 3;
  o.itemActive = 0;
  o.visibility = 1;
  o.selectAfter = 1;
  o.parent = 1;
  o.localZero = 1;
  o.hierarchy = 1;
  o.alphaMode = 2;
  o.unseenByRadiosity = 1;
  o.unseenByRays = 1;
  o.selfShadow = 0;
  o.unseenByCamera = 1;
  o.unaffectedByFog = 1;
  o.castShadow = 0;
  o.receiveShadow = 0;
  return o;
}

// The same choices made on the panel.
std::vector<layout::ScriptAction> everyOptionScript() {
  namespace user = layout::user;
  return {user::setText("name", "Null"),     user::choose("prefix", 3),        user::choose("suffix", 3),
          user::setText("Num", "1000"),      user::setText("CountSt", "1"),    user::choose("Col", 3),
          user::untick("item Active"),       user::choose("Vis", 1),           user::tick("after Select"),
          user::tick("Parent (x)"),          user::tick("local Zero"),         user::tick("Hierarchy"),
          user::tick("Unseen by Radiosity"), user::tick("Unseen by Rays"),     user::untick("Self Shadow"),
          user::tick("Unseen by Camera"),    user::tick("Unaffected by Fog"),  user::untick("Cast Shadow"),
          user::untick("Receive Shadow"),    user::choose("Alpha Channel", 2), user::ok()};
}

// A host with the real module and the parent object selected.
std::unique_ptr<layout::Host> parentHost(benchmark::State &state) {
  auto host = std::make_unique<layout::Host>();
  if (!loadMint(state, *host)) return nullptr;
  host->scene().select(host->scene().addObject("Rig"));
  host->setScript(everyOptionScript());
  return host;
}

void BM_NullsSink(benchmark::State &state) {
  SinkHost sink;
  const NullOptions options = everyOption();
  for (auto _ : state) {
    sink.reset();
    NullOptions run = options;
    runNulls(sink.runHost(), run, "Null");
  }
  reportCommands(state, static_cast<double>(sink.commands()));
}
BENCHMARK(BM_NullsSink)->Name("nulls/sink")->Unit(benchmark::kMicrosecond);

// Also checks that the module in the full host sends exactly the texts the
// sink run sent, so both sides measure the same work.
void BM_NullsCopy(benchmark::State &state) {
  SinkHost sink;
  std::vector<std::string> texts;
  sink.record(&texts);
  NullOptions options = everyOption();
  runNulls(sink.runHost(), options, "Null");
  sink.record(nullptr);

  auto host = parentHost(state);
  if (!host) return;
  timeCopyOfSameRun(state, *host, "Mint_Pivots", texts, sink);
}
BENCHMARK(BM_NullsCopy)->Name("nulls/copy")->Unit(benchmark::kMicrosecond);

// Arg 0: log on (as a user has it), 1: log off. "B/null" is the heap the
// run leaves in the host: its items, names and log.
void BM_NullsHost(benchmark::State &state) {
  const bool logOn = state.range(0) == 0;
  const HostRunCost cost = timeFreshHostRuns(state, "Mint_Pivots", logOn, [&] { return parentHost(state); });
  if (!cost.clean) return;
  reportCommands(state, cost.commands);
  state.counters["B/null"] = cost.bytes / kNulls;
}
BENCHMARK(BM_NullsHost)
    ->Name("nulls/host")
    ->ArgName("log_off")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMicrosecond);

// The panel alone: the same script, cancelled, so nothing is sent. What the
// host runs take beyond their commands.
void BM_NullsPanelOnly(benchmark::State &state) {
  auto host = parentHost(state);
  if (!host) return;
  std::vector<layout::ScriptAction> script = everyOptionScript();
  script.back() = layout::user::cancel();
  for (auto _ : state) {
    state.PauseTiming();
    host->setScript(script);
    state.ResumeTiming();
    host->activate("Mint_Pivots");
  }
  if (host->commands().commandCount() != 0) state.SkipWithError("a cancelled panel sent commands");
}
BENCHMARK(BM_NullsPanelOnly)->Name("nulls/panel_only")->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace mint::bench

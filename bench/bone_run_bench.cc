// The bone run: 1000 new bones under each of 100 or 1000 selected bones, as
// a chain or as siblings, with strength, colour, icon scale and joint type
// set so that nearly every text is sent. Driven directly against the sink,
// its texts replayed to the sink (the copy baseline), and the real module
// carrying it out in the full host from a scripted panel.
#include <memory>

#include "bench/bench_support.h"
#include "bench/bone_run_setup.h"

namespace mint::bench {
namespace {

std::vector<layout::ScriptAction> boneScript(bool siblings) {
  namespace user = layout::user;
  return {user::setText("name", "Bone"),
          user::choose("prefix", 0),
          user::choose("suffix", 3),
          user::setText("Num", "1000"),
          user::setText("CountSt", "1"),
          user::choose("Col", 3),
          siblings ? user::tick("individual") : user::untick("individual"),
          user::tick("Multiply Str by RestLength"),
          user::setNumber("Rest Length", 0.5),
          user::setNumber("Strength", 50),
          user::choose("icon", 1),
          user::setNumber("iconPercent", 40),
          user::tick("joint Bone"),
          user::ok()};
}

// A host with the real module, an object and `count` selected root bones
// whose multiply flag is clear, so every run toggles it.
std::unique_ptr<layout::Host> boneHost(benchmark::State &state, int32_t count, bool siblings) {
  auto host = std::make_unique<layout::Host>();
  if (!loadMint(state, *host)) return nullptr;
  layout::Scene &scene = host->scene();
  const layout::ItemID body = scene.addObject("Body");
  scene.clearSelection();
  for (int32_t i = 0; i < count; ++i) {
    const layout::ItemID bone = scene.addBone("Root", body);
    scene.find(bone)->set(layout::kItemBoneMultiply, false);
    scene.addToSelection(bone);
  }
  host->setScript(boneScript(siblings));
  return host;
}

// Args: selected bones, siblings (1) or chain (0).
void BM_BonesSink(benchmark::State &state) {
  const auto selected = static_cast<int32_t>(state.range(0));
  const bool siblings = state.range(1) != 0;
  std::vector<ItemID> selection = selectedBones(selected);
  SinkHost sink(selection);
  selection.push_back(LAYOUT_ITEM_NONE);
  for (auto _ : state) {
    sink.reset();
    runOnSink(sink, selection, siblings);
  }
  reportCommands(state, static_cast<double>(sink.commands()));
  reportBones(state, double{kBonesPerItem} * selected);
}

// The texts of a run over 10 selected bones (the same mix per bone as the
// large runs, small enough to stay in cache), replayed to the sink. Also
// checks that the module in the full host sends exactly these texts.
void BM_BonesCopy(benchmark::State &state) {
  constexpr int32_t kSelected = 10;
  const bool siblings = state.range(0) != 0;
  std::vector<ItemID> selection = selectedBones(kSelected);
  SinkHost sink(selection);
  selection.push_back(LAYOUT_ITEM_NONE);
  std::vector<std::string> texts;
  sink.record(&texts);
  runOnSink(sink, selection, siblings);
  sink.record(nullptr);

  auto host = boneHost(state, kSelected, siblings);
  if (!host) return;
  timeCopyOfSameRun(state, *host, "Mint_Joints", texts, sink);
}

// Args: selected bones, siblings (1) or chain (0), log off (1) or on (0).
// "B/bone" is the heap the run leaves in the host: its new items, their
// names and the command log.
void BM_BonesHost(benchmark::State &state) {
  const auto selected = static_cast<int32_t>(state.range(0));
  const bool siblings = state.range(1) != 0;
  const bool logOn = state.range(2) == 0;
  const HostRunCost cost =
      timeFreshHostRuns(state, "Mint_Joints", logOn, [&] { return boneHost(state, selected, siblings); });
  if (!cost.clean) return;
  const double bones = double{kBonesPerItem} * selected;
  reportCommands(state, cost.commands);
  reportBones(state, bones);
  state.counters["B/bone"] = cost.bytes / bones;
}

BENCHMARK(BM_BonesSink)
    ->Name("bones/sink")
    ->ArgNames({"selected", "siblings"})
    ->ArgsProduct({{100, 1000}, {0, 1}})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BonesCopy)->Name("bones/copy")->ArgName("siblings")->Arg(0)->Arg(1);
BENCHMARK(BM_BonesHost)
    ->Name("bones/host")
    ->ArgNames({"selected", "siblings", "log_off"})
    ->ArgsProduct({{100, 1000}, {0, 1}, {0, 1}})
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace mint::bench

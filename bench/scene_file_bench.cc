// Scene files of a million items: an object with a thousand chains of a
// thousand bones, saved to the temporary folder (TMPDIR) and read back.
// "file_MB" is the file's size; for a save, "peak_x_file" is the growth of
// the process's peak memory while saving, as a multiple of it. (A load's peak
// is taken from layout-sim itself, as the process's peak would still hold the
// scene that wrote the file.)
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "host/scene_files/scene_file.h"

namespace mint::bench {
namespace {

namespace fs = std::filesystem;

constexpr int kChains = 1000;
constexpr int kChainLength = 1000;

double peakBytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) * 1024;
}

// What a million-bone chain run leaves: bones with their run's values set.
void fillScene(layout::Host &host) {
  layout::Scene &scene = host.scene();
  const layout::ItemID body = scene.addObject("Body");
  for (int chain = 0; chain < kChains; ++chain) {
    layout::ItemID parent = body;
    for (int link = 1; link <= kChainLength; ++link) {
      char name[16];
      snprintf(name, sizeof name, "Bone_%03d", link);
      parent = scene.addBone(name, parent);
      layout::Item &bone = *scene.find(parent);
      bone.restLength = 0.5;
      bone.strength = 0.5;
      bone.iconScale = 0.4;
      bone.colour = 3;
      bone.boneType = layout::kBoneJoint;
    }
  }
  scene.select(body);
}

fs::path benchFile(const char *name) {
  return fs::temp_directory_path() / (std::string(name) + std::to_string(getpid()) + ".json");
}

void BM_SaveScene(benchmark::State &state) {
  layout::Host host;
  fillScene(host);
  const fs::path path = benchFile("mint_save_bench_");
  const double peakBefore = peakBytes();
  for (auto _ : state) {
    if (const auto error = layout::saveSceneFile(path.string(), host)) {
      state.SkipWithError(error->c_str());
      break;
    }
  }
  state.counters["file_MB"] = static_cast<double>(fs::file_size(path)) / 1e6;
  state.counters["peak_x_file"] = (peakBytes() - peakBefore) / static_cast<double>(fs::file_size(path));
  fs::remove(path);
}

void BM_LoadScene(benchmark::State &state) {
  const fs::path path = benchFile("mint_load_bench_");
  {
    layout::Host host;
    fillScene(host);
    if (const auto error = layout::saveSceneFile(path.string(), host)) {
      state.SkipWithError(error->c_str());
      return;
    }
  }
  for (auto _ : state) {
    layout::Host host;
    if (const auto error = layout::loadSceneFile(path.string(), host)) {
      state.SkipWithError(error->format().c_str());
      break;
    }
    if (host.scene().itemCount() != 1 + kChains * kChainLength) state.SkipWithError("items missing");
  }
  state.counters["file_MB"] = static_cast<double>(fs::file_size(path)) / 1e6;
  fs::remove(path);
}

BENCHMARK(BM_SaveScene)->Name("scene/save_1M")->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_LoadScene)->Name("scene/load_1M")->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace mint::bench

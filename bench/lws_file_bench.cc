// Layout scene files as a pipeline run over a production rig meets them:
// the round trip of a file of 100,002 items (100 objects with 800 bones each,
// 19,900 nulls, a light and a camera), and the load of one ten times larger,
// from a file and from memory.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <optional>

#include "bench/bench_support.h"
#include "host/files/file_problem.h"
#include "host/files/output_file.h"
#include "host/scene_files/lws_file.h"
#include "host/scene_files/scene_loading.h"
#include "tests/host/lws_generator.h"

namespace {

using mint::bench::heapBytes;

const std::string &largeScene() {
  static const std::string text = layout::testing::generatedLwsScene(100, 199, 800);
  return text;
}

void BM_LwsRoundTrip(benchmark::State &state) {
  const std::string &text = largeScene();
  double extra = 0;
  for (auto _ : state) {
    state.PauseTiming();
    layout::Host host;
    std::unique_ptr<layout::LwsDocument> document;
    std::string copy = text;
    malloc_trim(0);
    const size_t before = heapBytes();
    state.ResumeTiming();
    if (layout::readLwsScene(std::move(copy), "large.lws", host, document)) {
      state.SkipWithError("the generated scene does not read");
      return;
    }
    const std::string saved = layout::writeLwsScene(host, document.get());
    state.PauseTiming();
    // What reading and saving hold at their peak, the saved text included,
    // beyond the bytes of the file itself (the copy handed over before).
    extra = static_cast<double>(heapBytes() - before);
    if (saved != text) {
      state.SkipWithError("the saved scene differs from the file read");
      return;
    }
    state.ResumeTiming();
  }
  state.counters["items"] = static_cast<double>(100 + 100 * 800 + 100 * 199 + 2);
  state.counters["file_MB"] = static_cast<double>(text.size()) / 1e6;
  state.counters["extra/file"] = extra / static_cast<double>(text.size());
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_LwsRoundTrip)->Name("lws/round_trip_100k")->Unit(benchmark::kMillisecond)->Iterations(3);

// A Layout scene file of a million items (1000 objects, each with 800 bones
// and 199 nulls, a light and a camera; about 800 MB).
const std::string &millionItemScene() {
  static const std::string text = layout::testing::generatedLwsScene(1000, 199, 800);
  return text;
}

constexpr size_t kMillionItems = 1000 * (1 + 800 + 199) + 2;

// A host and document for one load, those of the last one dropped first
// (outside the timing) so that each load fills fresh ones.
struct FreshHost {
  std::optional<layout::Host> host;
  std::unique_ptr<layout::LwsDocument> document;

  void renew() {
    host.reset();
    document.reset();
    host.emplace();
    malloc_trim(0);
  }
};

// The file loaded as `layout-sim` loads one, from the temporary folder
// (TMPDIR): read and parsed at once, into a fresh host. The host and
// document from the last repetition are dropped outside the timing. Time is
// real, and CPU time is the whole process's: the file is read on a thread
// of its own.
void BM_LwsLoadFile(benchmark::State &state) {
  const std::string &text = millionItemScene();
  const std::filesystem::path path =
      std::filesystem::temp_directory_path() / ("mint_lws_load_bench_" + std::to_string(getpid()) + ".lws");
  try {
    layout::writeFileAtomically(path.string(), text);
  } catch (const layout::FileProblem &problem) {
    state.SkipWithError(problem.what());
    return;
  }
  FreshHost fresh;
  for (auto _ : state) {
    state.PauseTiming();
    fresh.renew();
    state.ResumeTiming();
    const layout::SceneLoad load = layout::loadSceneFrom(path.string(), *fresh.host, fresh.document);
    if (load.error || !load.lws || fresh.host->scene().itemCount() != kMillionItems) {
      state.SkipWithError("the generated scene does not load");
      break;
    }
  }
  state.counters["file_MB"] = static_cast<double>(text.size()) / 1e6;
  std::filesystem::remove(path);
}
BENCHMARK(BM_LwsLoadFile)
    ->Name("lws/load_1M")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->UseRealTime()
    ->MeasureProcessCPUTime();

// The parse alone, of the same text already in memory. `extra/file` is what
// the heap holds after the read beyond what it held before, the file's bytes
// (kept in the document) included, over the file's size.
void BM_LwsParse(benchmark::State &state) {
  const std::string &text = millionItemScene();
  double extra = 0;
  FreshHost fresh;
  for (auto _ : state) {
    state.PauseTiming();
    std::string copy = text;
    fresh.renew();
    const size_t before = heapBytes();
    state.ResumeTiming();
    if (layout::readLwsScene(std::move(copy), "million.lws", *fresh.host, fresh.document)) {
      state.SkipWithError("the generated scene does not read");
      return;
    }
    state.PauseTiming();
    extra = static_cast<double>(heapBytes() - before);
    if (fresh.host->scene().itemCount() != kMillionItems) {
      state.SkipWithError("items missing");
      return;
    }
    state.ResumeTiming();
  }
  state.counters["file_MB"] = static_cast<double>(text.size()) / 1e6;
  state.counters["extra/file"] = extra / static_cast<double>(text.size());
}
BENCHMARK(BM_LwsParse)->Name("lws/parse_1M")->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

// Layout scene files as a pipeline run over a production rig meets them:
// the round trip of a file of 100,002 items (100 objects with 800 bones each,
// 19,900 nulls, a light and a camera), and the load of one ten times larger.
#include <benchmark/benchmark.h>

#include <optional>

#include "bench/bench_support.h"
#include "host/scene_files/lws_file.h"
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
// and 199 nulls, a light and a camera; about 800 MB), read into a fresh host
// as `layout-sim` loads one. The host and document from the last repetition
// are dropped outside the timing. `extra/file` is what the heap holds after
// the read beyond what it held before, the file's bytes (kept in the
// document) included, over the file's size.
const std::string &millionItemScene() {
  static const std::string text = layout::testing::generatedLwsScene(1000, 199, 800);
  return text;
}

void BM_LwsLoad(benchmark::State &state) {
  const std::string &text = millionItemScene();
  double extra = 0;
  std::optional<layout::Host> host;
  std::unique_ptr<layout::LwsDocument> document;
  for (auto _ : state) {
    state.PauseTiming();
    host.reset();
    document.reset();
    host.emplace();
    std::string copy = text;
    malloc_trim(0);
    const size_t before = heapBytes();
    state.ResumeTiming();
    if (layout::readLwsScene(std::move(copy), "million.lws", *host, document)) {
      state.SkipWithError("the generated scene does not read");
      return;
    }
    state.PauseTiming();
    extra = static_cast<double>(heapBytes() - before);
    if (host->scene().itemCount() != 1000 * (1 + 800 + 199) + 2) {
      state.SkipWithError("items missing");
      return;
    }
    state.ResumeTiming();
  }
  state.counters["file_MB"] = static_cast<double>(text.size()) / 1e6;
  state.counters["extra/file"] = extra / static_cast<double>(text.size());
}
BENCHMARK(BM_LwsLoad)->Name("lws/load_1M")->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

// `layout-sim run Mint_Joints` as a user runs it: the built program started as
// a process on a scene of 100 or 1000 selected bones, 1000 new bones in a
// chain under each, every line printed to a file (or, with quiet, only the
// counts). Real time per run is what the benchmark reports; the counters add
// the process's CPU time, its peak memory per new bone, and the ratios (real
// time and CPU time) to the same run's texts composed and copied by the sink
// in this process.
//
// The files go to the temporary folder (TMPDIR), so a slow disk can be kept
// out of the figures with TMPDIR=/dev/shm.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "bench/bone_run_setup.h"

extern char **environ;

namespace mint::bench {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

struct ProcessCost {
  double seconds = 0;
  double cpuSeconds = 0;
  double peakBytes = 0;
  bool succeeded = false;
};

double threadCpuSeconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// Runs `args` with standard output to `outPath` and standard error dropped.
ProcessCost runProgram(const std::vector<std::string> &args, const fs::path &outPath) {
  posix_spawn_file_actions_t files;
  posix_spawn_file_actions_init(&files);
  posix_spawn_file_actions_addopen(&files, STDOUT_FILENO, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                   0644);
  posix_spawn_file_actions_addopen(&files, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  std::vector<char *> argv;
  for (const std::string &arg : args) argv.push_back(const_cast<char *>(arg.c_str()));
  argv.push_back(nullptr);

  ProcessCost cost;
  const Clock::time_point start = Clock::now();
  pid_t pid = 0;
  const int spawned = posix_spawn(&pid, argv[0], &files, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&files);
  if (spawned != 0) return cost;
  int status = 0;
  rusage usage{};
  if (wait4(pid, &status, 0, &usage) != pid) return cost;
  cost.seconds = std::chrono::duration<double>(Clock::now() - start).count();
  const auto seconds = [](timeval t) { return static_cast<double>(t.tv_sec) + t.tv_usec * 1e-6; };
  cost.cpuSeconds = seconds(usage.ru_utime) + seconds(usage.ru_stime);
  cost.peakBytes = static_cast<double>(usage.ru_maxrss) * 1024;
  cost.succeeded = WIFEXITED(status) && WEXITSTATUS(status) == 0;
  return cost;
}

// An object with `count` root bones, all selected, their multiply flag clear:
// the scene the host benchmarks build in memory, as a file.
void writeBoneScene(const fs::path &path, int32_t count) {
  std::ofstream file(path);
  file << "{\"format\": \"mint-scene\", \"version\": 1, \"items\": [\n{\"type\": \"object\", \"name\": "
          "\"Body\"}";
  for (int32_t i = 0; i < count; ++i) {
    file << ",\n{\"type\": \"bone\", \"name\": \"Root\", \"owner\": \"10000000\", \"multiply\": false}";
  }
  file << "],\n\"selection\": [";
  for (int32_t i = 0; i < count; ++i) {
    file << (i ? ", \"" : "\"") << std::hex << kFirstBone + static_cast<uint32_t>(i) << std::dec << '"';
  }
  file << "]}\n";
}

// The chain run's panel, as command-line actions.
std::vector<std::string> runArgs(const fs::path &scene, bool quiet) {
  std::vector<std::string> args = {LAYOUT_SIM_PATH,
                                   "run",
                                   "Mint_Joints",
                                   "--scene",
                                   scene.string(),
                                   "--set",
                                   "name=Bone",
                                   "--set",
                                   "prefix=0",
                                   "--set",
                                   "suffix=3",
                                   "--set",
                                   "Num=1000",
                                   "--set",
                                   "CountSt=1",
                                   "--set",
                                   "Col=3",
                                   "--untick",
                                   "individual",
                                   "--tick",
                                   "Multiply Str by RestLength",
                                   "--set",
                                   "Rest Length=0.5",
                                   "--set",
                                   "Strength=50",
                                   "--set",
                                   "icon=1",
                                   "--set",
                                   "iconPercent=40",
                                   "--tick",
                                   "joint Bone"};
  if (quiet) args.emplace_back("--quiet");
  return args;
}

// The count in the report's first line, "Mint_Joints sent N commands...".
uint64_t commandsReported(const fs::path &outPath) {
  std::ifstream file(outPath);
  std::string server, sent;
  uint64_t count = 0;
  file >> server >> sent >> count;
  return sent == "sent" ? count : 0;
}

// Args: selected bones, quiet (1) or every line printed (0).
void BM_CliRun(benchmark::State &state) {
  const auto selected = static_cast<int32_t>(state.range(0));
  const bool quiet = state.range(1) != 0;
  const fs::path folder = fs::temp_directory_path() / ("mint_cli_bench_" + std::to_string(getpid()));
  fs::create_directories(folder);
  const fs::path scene = folder / "scene.json";
  const fs::path out = folder / "out.txt";
  writeBoneScene(scene, selected);
  const std::vector<std::string> args = runArgs(scene, quiet);

  std::vector<ItemID> selection = selectedBones(selected);
  SinkHost sink(selection);
  selection.push_back(LAYOUT_ITEM_NONE);

  double wall = 0, cpu = 0, peak = 0, sinkSeconds = 0, sinkCpu = 0;
  for (auto _ : state) {
    const ProcessCost cost = runProgram(args, out);
    if (!cost.succeeded) {
      state.SkipWithError("layout-sim failed");
      break;
    }
    state.SetIterationTime(cost.seconds);
    wall += cost.seconds;
    cpu += cost.cpuSeconds;
    peak = std::max(peak, cost.peakBytes);

    sink.reset();
    const Clock::time_point start = Clock::now();
    const double cpuStart = threadCpuSeconds();
    runOnSink(sink, selection, false);
    sinkSeconds += std::chrono::duration<double>(Clock::now() - start).count();
    sinkCpu += threadCpuSeconds() - cpuStart;
  }
  // The sink run must send what the program reported, or the ratio compares
  // different work.
  if (state.iterations() > 0 && commandsReported(out) != sink.commands()) {
    state.SkipWithError("the program and the sink sent different numbers of commands");
  }
  fs::remove_all(folder);
  const double runs = static_cast<double>(state.iterations());
  const double bones = double{kBonesPerItem} * selected;
  state.counters["cpu_s"] = cpu / runs;
  state.counters["peak_B/bone"] = peak / bones;
  state.counters["sink_ms"] = sinkSeconds / runs * 1e3;
  state.counters["x_sink"] = wall / sinkSeconds;
  // The same in CPU time, which other work on a shared machine disturbs less.
  state.counters["cpu_x_sink"] = cpu / sinkCpu;
  state.SetLabel(std::to_string(sink.commands()) + " commands");
}

BENCHMARK(BM_CliRun)
    ->Name("cli/run_joints")
    ->ArgNames({"selected", "quiet"})
    ->ArgsProduct({{100, 1000}, {0, 1}})
    ->UseManualTime()
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace mint::bench

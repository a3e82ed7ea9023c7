// The text builders on their own, then each kind of command they compose sent
// in batches: pre-composed texts copied by the sink (the baseline), composed
// and copied by the sink, and composed and carried out by the full host.
#include <memory>

#include "bench/bench_support.h"
#include "bench/sink_host.h"
#include "runs/command_buffer.h"

namespace mint::bench {
namespace {

constexpr int kBatch = 1000;

void BM_NamePattern(benchmark::State &state) {
  char pattern[kNamePatternBuffer];
  for (auto _ : state) {
    benchmark::DoNotOptimize(buildNamePattern(pattern, 3, "Null", 3));
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_NamePattern)->Name("builder/name_pattern");

void BM_Decimal(benchmark::State &state) {
  char text[kDecimalBuffer];
  int32_t value = -500000;
  for (auto _ : state) {
    benchmark::DoNotOptimize(writeDecimal(value++, text, kTerminate | kZeroPad | 3));
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_Decimal)->Name("builder/decimal");

void BM_ItemId(benchmark::State &state) {
  char text[kItemIdBuffer];
  uint32_t id = 0x40000000u;
  for (auto _ : state) {
    writeItemId(id++, text, kTerminate);
    benchmark::DoNotOptimize(text);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_ItemId)->Name("builder/item_id");

void BM_NameFormat(benchmark::State &state) {
  CommandText format;
  setNameFormat(format, "AddNull ", 3, "Null", 3);
  CommandText command;
  int64_t number = 1;
  for (auto _ : state) {
    formatName(command.text, sizeof command.text, format.text, number++);
    benchmark::DoNotOptimize(command.text);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_NameFormat)->Name("builder/name_command");

// --- Whole commands. Each kind composes its head once, as a run does, then
// the i-th text of a batch; setUp gives the host what every text acts on.

// "ItemColor <n>": the decimal writer; the host colours its current null.
struct ColourCommand {
  static constexpr bool kGrowsScene = false;
  CommandText text;
  ColourCommand() { setHead(text, "ItemColor "); }
  const char *compose(int i) {
    setDecimal(text, i % 15);
    return text.text;
  }
  static void setUp(layout::Host &host) { host.scene().select(host.scene().addNull("Null")); }
};

// "SelectItem <id>": the ID writer; the host selects one of its objects.
struct SelectCommand {
  static constexpr bool kGrowsScene = false;
  CommandText text;
  SelectCommand() { setHead(text, "SelectItem "); }
  const char *compose(int i) {
    setItemId(text, LAYOUT_ITEM_FROM_BITS(0x10000000u + static_cast<uint32_t>(i)));
    return text.text;
  }
  static void setUp(layout::Host &host) {
    for (int i = 0; i < kBatch; ++i) host.scene().addObject("Object");
  }
};

// "AddNull 001_Null_001": a formatted name; the host adds a null.
struct NameCommand {
  static constexpr bool kGrowsScene = true;
  CommandText format;
  CommandText text;
  NameCommand() { setNameFormat(format, "AddNull ", 3, "Null", 3); }
  const char *compose(int i) {
    formatName(text.text, sizeof text.text, format.text, i + 1);
    return text.text;
  }
  static void setUp(layout::Host &) {}
};

template <typename Command>
void sendBatch(const GenericLocal *local) {
  Command command;
  for (int i = 0; i < kBatch; ++i) sendCommand(local, command.compose(i));
}

template <typename Command>
void BM_Copy(benchmark::State &state) {
  Command command;
  std::vector<std::string> texts;
  for (int i = 0; i < kBatch; ++i) texts.emplace_back(command.compose(i));
  const Transcript transcript(texts);
  SinkHost sink;
  for (auto _ : state) {
    sink.reset();
    transcript.replay(sink.local());
  }
  reportCommands(state, kBatch);
}

template <typename Command>
void BM_Sink(benchmark::State &state) {
  SinkHost sink;
  for (auto _ : state) {
    sink.reset();
    sendBatch<Command>(sink.local());
  }
  reportCommands(state, kBatch);
}

template <typename Command>
void BM_Host(benchmark::State &state) {
  auto host = std::make_unique<layout::Host>();
  Command::setUp(*host);
  auto body = [](const GenericLocal *local) { sendBatch<Command>(local); };
  for (auto _ : state) {
    state.PauseTiming();
    if (Command::kGrowsScene) {
      host = std::make_unique<layout::Host>();
      Command::setUp(*host);
    } else {
      host->commands().log().clear();
    }
    state.ResumeTiming();
    activateWith(*host, body);
  }
  if (!cleanRun(state, *host)) return;
  reportCommands(state, kBatch);
}

BENCHMARK_TEMPLATE(BM_Copy, ColourCommand)->Name("command/colour/copy");
BENCHMARK_TEMPLATE(BM_Sink, ColourCommand)->Name("command/colour/sink");
BENCHMARK_TEMPLATE(BM_Host, ColourCommand)->Name("command/colour/host");
BENCHMARK_TEMPLATE(BM_Copy, SelectCommand)->Name("command/select/copy");
BENCHMARK_TEMPLATE(BM_Sink, SelectCommand)->Name("command/select/sink");
BENCHMARK_TEMPLATE(BM_Host, SelectCommand)->Name("command/select/host");
BENCHMARK_TEMPLATE(BM_Copy, NameCommand)->Name("command/name/copy");
BENCHMARK_TEMPLATE(BM_Sink, NameCommand)->Name("command/name/sink");
BENCHMARK_TEMPLATE(BM_Host, NameCommand)->Name("command/name/host");

}  // namespace
}  // namespace mint::bench

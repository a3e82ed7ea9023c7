// Level 10: loading and unloading a thousand times in one process, and
// inputs at and past every limit a person could type.
#include <malloc.h>

#include <sstream>

#include "tools/leak_check.h"
#include "tools/validation.h"
#include "tools/validation_probe.h"

namespace sim {
namespace {

constexpr int kReloads = 1000;
constexpr int kWarmUpReloads = 20;
// Memory in use may grow this much over all reloads (allocator slack);
// a module that leaks a little each time goes far past it.
constexpr size_t kAllowedGrowth = 256 << 10;

size_t memoryInUse() { return mallinfo2().uordblks; }

std::vector<std::string> hostileTexts() {
  std::string everyByte;
  for (int byte = 1; byte <= 255; ++byte) everyByte += static_cast<char>(byte);
  return {everyByte,
          std::string(1000000, 'x'),
          std::string(1000000, '9'),
          "2147483647",
          "2147483648",
          "-2147483648",
          "-2147483649",
          "4294967295",
          "4294967296",
          "99999999999999999999",
          "-1",
          "0",
          "1e309",
          "nan",
          "%s%n%x"};
}

}  // namespace

void checkReload(CheckContext &context) {
  const std::vector<std::string> servers = Probe(context).servers();
  size_t before = 0;
  for (int i = 0; i < kReloads; ++i) {
    if (i == kWarmUpReloads) before = memoryInUse();
    // Each probe is a new host that loads the module and unloads it when it goes.
    Probe probe(context);
    if (!probe.ok()) return;
    probe.frontEnd().onPanel = [](layout::OpenPanel &panel) { panel.cancel(); };
    for (const std::string &server : servers) {
      const ProbeRun run = probe.run(server, server + ", load " + std::to_string(i + 1));
      if (!run.escaped.empty() || !run.misuse.empty()) {
        expectSound(context, run);
        return;
      }
    }
  }
  const size_t after = memoryInUse();
  if (!leaksVisible() && after > before + kAllowedGrowth) {
    context.fail("memory in use grew by " + std::to_string(after - before) + " bytes over " +
                 std::to_string(kReloads - kWarmUpReloads) + " loads, runs and unloads");
  }
  context.figure("loads", kReloads);
}

void checkHostileInputs(CheckContext &context) {
  Probe probe(context);
  if (!probe.ok()) return;
  const std::vector<std::string> texts = hostileTexts();
  size_t inputs = 0;
  for (const std::string &server : probe.servers()) {
    // Which controls the panel has, from one look at it.
    std::vector<layout::ControlView> controls;
    probe.frontEnd().onPanel = [&](layout::OpenPanel &panel) {
      controls = panel.view().controls;
      panel.cancel();
    };
    probe.run(server, server);
    for (const layout::ControlView &control : controls) {
      std::vector<layout::ControlValue> values;
      if (control.type == LAYOUT_CONTROL_EDIT) {
        values.assign(texts.begin(), texts.end());
      } else if (control.type == LAYOUT_CONTROL_FLOAT || control.type == LAYOUT_CONTROL_PERCENT) {
        values = {1e308, -1e308, 2147483648.0, -2147483649.0, 1e-308};
      } else {
        values = {int64_t{-1}, int64_t{INT32_MAX}, int64_t{INT32_MIN}, int64_t{INT64_MAX}};
      }
      for (const layout::ControlValue &value : values) {
        probe.resetScene(layout::kDefaultHostBuild);
        probe.frontEnd().onPanel = [&](layout::OpenPanel &panel) {
          panel.change(control.index, value);
          if (panel.isOpen()) panel.confirm();
        };
        const std::string shown = std::visit(
            [](const auto &v) {
              if constexpr (std::is_same_v<std::decay_t<decltype(v)>, std::string>) {
                return std::to_string(v.size()) + "-byte text";
              } else {
                return (std::ostringstream() << v).str();
              }
            },
            value);
        expectSound(context, probe.run(server, server + ", control #" + std::to_string(control.index) +
                                                   " = " + shown));
        probe.host().commands().log().clear();
        ++inputs;
      }
    }
  }
  context.figure("hostile inputs", inputs);
}

}  // namespace sim

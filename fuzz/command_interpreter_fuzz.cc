// Command files and the interpreter behind evaluate: every line of any text
// is carried out or refused with a reason, on the default scene.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string_view>

#include "host/host.h"
#include "host/scene_files/scene_file.h"
#include "tools/cli_error.h"
#include "tools/replay.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  const std::string_view text(reinterpret_cast<const char *>(data), size);
  layout::Host host;
  layout::readScene(layout::defaultScene(), "default scene", host);
  std::ostringstream out;
  // IDs as written and past every refusal, so every line reaches the
  // interpreter; a file it cannot read at all is a located error, not a crash.
  try {
    sim::replayCommands(host, text, "fuzz.txt", {.keepGoing = true, .byId = true, .listCommands = false},
                        out);
  } catch (const sim::CliError &) {
  }
  // Whatever the commands did, the scene still saves and loads.
  layout::Host again;
  if (layout::readScene(layout::writeScene(host), "saved.json", again)) __builtin_trap();
  return 0;
}

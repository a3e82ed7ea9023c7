// Session files from anywhere: any text is either a session or a located
// bad-input error, never a crash or another exception.
#include <cstddef>
#include <cstdint>
#include <string>

#include "tools/cli_error.h"
#include "tools/located_json.h"
#include "tools/session_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  try {
    const sim::LocatedJson json(std::string(reinterpret_cast<const char *>(data), size), "fuzz.json");
    sim::readSession(json, "/nonexistent");
  } catch (const sim::CliError &) {
  }
  return 0;
}

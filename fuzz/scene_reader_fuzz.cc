// Scene files from anywhere: any text either loads or gives a located error,
// and a scene that loads saves to a file that loads again.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "host/host.h"
#include "host/scene_files/scene_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  const std::string_view text(reinterpret_cast<const char *>(data), size);
  layout::Host host;
  if (layout::readScene(text, "fuzz.json", host)) return 0;
  const std::string saved = layout::writeScene(host);
  layout::Host again;
  if (layout::readScene(saved, "saved.json", again)) __builtin_trap();  // a saved scene must load
  return 0;
}

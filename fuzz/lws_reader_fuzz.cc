// Layout scene files from anywhere: any text either loads or gives a located
// error, and a scene that loads writes out (or names why it cannot) and the
// written file loads again.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "host/host.h"
#include "host/scene_files/lws_document.h"
#include "host/scene_files/lws_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  layout::Host host;
  std::unique_ptr<layout::LwsDocument> document;
  if (layout::readLwsScene(std::string(reinterpret_cast<const char *>(data), size), "fuzz.lws", host,
                           document)) {
    return 0;
  }
  std::string written;
  try {
    written = layout::writeLwsScene(host, document.get());
  } catch (const layout::LwsWriteError &) {
    return 0;
  }
  layout::Host again;
  std::unique_ptr<layout::LwsDocument> reread;
  if (layout::readLwsScene(written, "written.lws", again, reread))
    __builtin_trap();  // a written scene must load
  return 0;
}

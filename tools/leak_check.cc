#include "tools/leak_check.h"

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

namespace sim {

#if defined(__SANITIZE_ADDRESS__)
std::optional<std::string> leakReport() {
  if (__lsan_do_recoverable_leak_check() == 0) return std::nullopt;
  return "LeakSanitizer found memory leaked (details on stderr)";
}
bool leaksVisible() { return true; }
#else
std::optional<std::string> leakReport() { return std::nullopt; }
bool leaksVisible() { return false; }
#endif

}  // namespace sim

// Leak checking inside a validation child: with LeakSanitizer (the asan
// build) a leak check of the process so far; elsewhere there is none.
#pragma once

#include <optional>
#include <string>

namespace sim {

// What leaked, or nothing; the sanitizer prints the details to stderr.
std::optional<std::string> leakReport();
// Whether leakReport() can see leaks in this build.
bool leaksVisible();

}  // namespace sim

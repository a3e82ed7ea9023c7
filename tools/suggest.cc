#include "tools/suggest.h"

#include <algorithm>

#include "host/spelling.h"

namespace sim {

std::string closestName(std::string_view name, const std::vector<std::string> &candidates) {
  const size_t allowed = std::max<size_t>(2, name.size() / 3);
  std::string best;
  size_t bestDistance = allowed + 1;
  for (const std::string &candidate : candidates) {
    const size_t d = layout::editDistance(name, candidate);
    if (d < bestDistance) {
      best = candidate;
      bestDistance = d;
    }
  }
  return best;
}

std::string didYouMean(std::string_view name, const std::vector<std::string> &candidates) {
  const std::string best = closestName(name, candidates);
  return best.empty() ? std::string() : " (did you mean \"" + best + "\"?)";
}

}  // namespace sim

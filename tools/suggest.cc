#include "tools/suggest.h"

#include <algorithm>
#include <cctype>

namespace sim {
namespace {

char lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

// Edit distance, case-insensitive.
size_t distance(std::string_view a, std::string_view b) {
  std::vector<size_t> row(b.size() + 1);
  for (size_t j = 0; j <= b.size(); ++j) row[j] = j;
  for (size_t i = 1; i <= a.size(); ++i) {
    size_t diagonal = row[0];
    row[0] = i;
    for (size_t j = 1; j <= b.size(); ++j) {
      const size_t above = row[j];
      row[j] =
          std::min({row[j] + 1, row[j - 1] + 1, diagonal + (lower(a[i - 1]) == lower(b[j - 1]) ? 0 : 1)});
      diagonal = above;
    }
  }
  return row[b.size()];
}

}  // namespace

std::string closestName(std::string_view name, const std::vector<std::string> &candidates) {
  const size_t allowed = std::max<size_t>(2, name.size() / 3);
  std::string best;
  size_t bestDistance = allowed + 1;
  for (const std::string &candidate : candidates) {
    const size_t d = distance(name, candidate);
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

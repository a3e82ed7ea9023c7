#include "host/spelling.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <vector>

namespace layout {
namespace {

char lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

}  // namespace

size_t editDistance(std::string_view a, std::string_view b) {
  std::vector<size_t> row(b.size() + 1);
  for (size_t j = 0; j <= b.size(); ++j) row[j] = j;
  for (size_t i = 1; i <= a.size(); ++i) {
    size_t diagonal = row[0];
    row[0] = i;
    for (size_t j = 1; j <= b.size(); ++j) {
      const size_t substitute = diagonal + (lower(a[i - 1]) == lower(b[j - 1]) ? 0 : 1);
      diagonal = row[j];
      row[j] = std::min({row[j] + 1, row[j - 1] + 1, substitute});
    }
  }
  return row[b.size()];
}

void Suggestion::consider(std::string_view candidate) {
  // A slip is a letter or two, fewer in a short word.
  const size_t allowed = std::clamp<size_t>(typed_.size() / 3, 1, 2);
  const size_t gap =
      candidate.size() > typed_.size() ? candidate.size() - typed_.size() : typed_.size() - candidate.size();
  if (gap > allowed || candidate == typed_) return;
  const size_t distance = editDistance(typed_, candidate);
  if (distance <= allowed && distance < bestDistance_) {
    best_ = candidate;
    bestDistance_ = distance;
  }
}

std::string Suggestion::hint() const {
  return best_.empty() ? std::string() : " (did you mean \"" + best_ + "\"?)";
}

}  // namespace layout

#include "host/text/spelling.h"

#include <algorithm>
#include <cctype>
#include <vector>

namespace layout {
namespace {

char lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

size_t gapBetween(size_t a, size_t b) { return a > b ? a - b : b - a; }

}  // namespace

bool sameIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return lower(x) == lower(y); });
}

size_t editDistanceWithin(std::string_view a, std::string_view b, size_t limit) {
  if (a.size() < b.size()) std::swap(a, b);
  if (a.size() - b.size() > limit) return limit + 1;
  // Row i holds the distances of a[0, i) to b[0, j) for j within `limit` of
  // i; cells outside the band are past the limit anyway. Two letters swapped
  // count as one edit, so the row before last is kept too.
  const size_t over = limit + 1;
  std::vector<size_t> before(b.size() + 1, over), row(b.size() + 1, over), next(b.size() + 1, over);
  for (size_t j = 0; j <= std::min(b.size(), limit); ++j) row[j] = j;
  for (size_t i = 1; i <= a.size(); ++i) {
    const size_t from = i > limit ? i - limit : 0;
    const size_t to = std::min(b.size(), i + limit);
    if (from > 0) next[from - 1] = over;  // left of the band; may hold a value three rows old
    size_t best = over;
    for (size_t j = from; j <= to; ++j) {
      size_t cell = std::min(row[j] + 1, j == 0 ? i : next[j - 1] + 1);
      if (j > 0) cell = std::min(cell, row[j - 1] + (lower(a[i - 1]) == lower(b[j - 1]) ? 0 : 1));
      if (i > 1 && j > 1 && lower(a[i - 1]) == lower(b[j - 2]) && lower(a[i - 2]) == lower(b[j - 1]))
        cell = std::min(cell, before[j - 2] + 1);
      cell = std::min(cell, over);
      next[j] = cell;
      best = std::min(best, cell);
    }
    if (best > limit) return over;
    std::swap(before, row);
    std::swap(row, next);
  }
  return std::min(row[b.size()], over);
}

Suggestion::Suggestion(std::string_view typed)
    : typed_(typed), allowed_(std::clamp<size_t>(typed.size() / 3, 1, 2)) {}  // a slip: a letter or two

void Suggestion::consider(std::string_view candidate) {
  // The typed word itself is never a suggestion: it names something that is
  // there but ambiguous, or it was refused for another reason.
  if (candidate == typed_ || gapBetween(candidate.size(), typed_.size()) > allowed_) return;
  const size_t cost = (2 * allowed_ + 1) * std::min(candidate.size(), typed_.size());
  if (work_ + cost > kWorkCap) return;
  work_ += cost;
  const size_t distance = editDistanceWithin(typed_, candidate, allowed_);
  if (distance <= allowed_ && distance < bestDistance_) {
    best_ = candidate;
    bestDistance_ = distance;
  }
}

std::string Suggestion::hint() const {
  return best_.empty() ? std::string() : " (did you mean \"" + best_ + "\"?)";
}

}  // namespace layout

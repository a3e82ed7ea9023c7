// "Did you mean": of the words a user could have meant, the one closest to
// what was typed, when it is close enough to be a slip. The one rule for every
// message of the host and layout-sim. The search is bounded: a candidate whose
// length differs by more than a slip is skipped unread, distances are computed
// only within a narrow band, and the total work is capped, so a name of a
// million characters against a million candidates still answers at once.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace layout {

// Edits between two words, where a change of case alone costs nothing, when
// that is at most `limit`; else limit + 1. Work is about (2 limit + 1)
// times the shorter length.
size_t editDistanceWithin(std::string_view a, std::string_view b, size_t limit);

// Equal letter for letter when case is ignored.
bool sameIgnoringCase(std::string_view a, std::string_view b);

class Suggestion {
 public:
  // Cells of distance tables computed over all candidates before the search
  // gives up and suggests what it has found so far.
  static constexpr size_t kWorkCap = size_t{1} << 22;

  explicit Suggestion(std::string_view typed);

  void consider(std::string_view candidate);
  // " (did you mean \"colour\"?)", or empty when no candidate was close.
  std::string hint() const;
  // The closest candidate, or empty.
  const std::string &best() const { return best_; }

 private:
  std::string typed_;
  size_t allowed_;
  std::string best_;
  size_t bestDistance_ = SIZE_MAX;
  size_t work_ = 0;
};

}  // namespace layout

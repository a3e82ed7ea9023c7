// "Did you mean": of the words a user could have meant, the one closest to
// what was typed, when it is close enough to be a slip.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace layout {

// Edits between two words, where a change of case alone costs nothing.
size_t editDistance(std::string_view a, std::string_view b);

class Suggestion {
 public:
  explicit Suggestion(std::string_view typed) : typed_(typed) {}

  void consider(std::string_view candidate);
  // " (did you mean \"colour\"?)", or empty when no candidate was close.
  std::string hint() const;

 private:
  std::string typed_;
  std::string best_;
  size_t bestDistance_ = SIZE_MAX;
};

}  // namespace layout

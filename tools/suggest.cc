#include "tools/suggest.h"

#include "host/text/spelling.h"

namespace sim {

std::string closestName(std::string_view name, const std::vector<std::string> &candidates) {
  layout::Suggestion suggestion(name);
  for (const std::string &candidate : candidates) suggestion.consider(candidate);
  return suggestion.best();
}

std::string didYouMean(std::string_view name, const std::vector<std::string> &candidates) {
  layout::Suggestion suggestion(name);
  for (const std::string &candidate : candidates) suggestion.consider(candidate);
  return suggestion.hint();
}

}  // namespace sim

// "Did you mean" for a name the user mistyped, by the rule of host/text/spelling.h.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace sim {

// The candidate closest to `name` (ignoring case) when it is close enough to
// be a likely typo, else empty.
std::string closestName(std::string_view name, const std::vector<std::string> &candidates);

// " (did you mean \"Num\"?)", or empty when nothing is close.
std::string didYouMean(std::string_view name, const std::vector<std::string> &candidates);

}  // namespace sim

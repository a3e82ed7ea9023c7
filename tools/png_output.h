// PNG pictures, converted from SVG by rsvg-convert (Debian: librsvg2-bin) at
// twice the SVG's size, so small panel text stays readable.
#pragma once

#include <string>
#include <string_view>

namespace sim {

// Writes `svg` as a PNG to `path` by running rsvg-convert; the file appears
// whole or not at all. Throws CliError (bad input) when rsvg-convert is
// missing or fails.
void writePng(const std::string &path, std::string_view svg);

}  // namespace sim

// PNG pictures, converted from SVG by rsvg-convert (Debian: librsvg2-bin) at
// twice the SVG's size, so small panel text stays readable.
#pragma once

#include <string>
#include <string_view>

namespace sim {

// Writes `svg` as a PNG to `path` ("-": standard output) by running
// rsvg-convert, which reads the SVG on its standard input and writes into the
// output's temporary on its standard output: no file name reaches its command
// line. The file appears whole or not at all. Throws CliError (bad input) when
// the path cannot be written or rsvg-convert is missing or fails.
void writePng(const std::string &path, std::string_view svg, bool force = false);

}  // namespace sim

// The face panel pictures are drawn in, DejaVu Sans, and how wide a text
// comes out in it, so a picture can place labels and fields the way they will
// render.
#pragma once

#include <string_view>

namespace layout {

inline constexpr const char *kPanelFontFamily = "DejaVu Sans, Verdana, sans-serif";

// Width in pixels of `text` (UTF-8) at `size` pixels.
double panelTextWidth(std::string_view text, double size);

}  // namespace layout

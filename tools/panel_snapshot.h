// An open panel as layout-sim shows it: as a picture for the SVG renderer,
// or as a table of its controls.
#pragma once

#include <cstdint>
#include <string>

#include "host/panels/panel_view.h"
#include "host/pictures/panel_picture.h"

namespace sim {

// The caption names the panel's size and the host build.
layout::PanelPicture pictureOf(const layout::PanelView &panel, uint32_t build);

// The panel's title and size, then one line per control: position, width,
// kind, label or role, and what it shows.
std::string describePanel(const layout::PanelView &panel, uint32_t build);

}  // namespace sim

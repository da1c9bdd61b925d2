#pragma once
// The colour table every 8-bit artwork bitmap carries, and the names the
// asset sources use for its entries.
#include <array>
#include <optional>
#include <string>

#include "platform/surface/system_palette.h"

namespace bitmaps {

using Palette = std::array<platform::surface::PaletteEntry, 256>;

// Two blues of the order panels, outside the static colours. The 3D device
// repaints 10-245 in 8-bit display modes, so these hold only where the
// bitmap's own table is attached.
constexpr int kPanelBlue = 10;      // RGB 50, 50, 255
constexpr int kPanelDarkBlue = 11;  // RGB 0, 14, 196

// The system palette plus the panel blues.
Palette ArtworkPalette();

// Palette index of a colour name such as "red" or "panel-blue".
std::optional<int> ColourByName(const std::string& name);

}  // namespace bitmaps

#pragma once
// Turning a surface's pixels into the picture the window system shows.
#include <array>

#include "platform/os/window.h"
#include "platform/surface/surface.h"

namespace platform::surface {

// Converts `region` of the surface (clipped to it) into `picture` as
// 0x00RRGGBB: 8-bit pixels through `palette` (the system palette when null),
// 16-bit RGB565 with its top bits repeated, 24-bit as they are. The picture's
// buffer is reused, so converting every frame allocates nothing once it has
// grown. False (picture emptied) for an empty region, a z-buffer or
// another depth.
bool ConvertToPicture(const Surface& surface, const Rect& region, const std::array<PaletteEntry, 256>* palette,
                      os::Picture* picture);

}  // namespace platform::surface

#pragma once
// Writes a surface as an RGB PNG, for looking at what the renderer drew.
#include <string>

#include "platform/surface/surface.h"

namespace bench {

bool WritePng(const platform::surface::Surface& surface, const std::string& path);

}  // namespace bench

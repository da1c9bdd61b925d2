#pragma once
// Renders a described sound into 16-bit mono samples. The same description
// always gives the same samples: the noise comes from a fixed seed.
#include <cstdint>
#include <vector>

#include "sound_source.h"

namespace sound_tool {

std::vector<std::int16_t> Render(const SoundSource& source);

}  // namespace sound_tool

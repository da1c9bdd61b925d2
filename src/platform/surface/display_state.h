#pragma once
// What a DirectDraw object and its surfaces share about the display: the
// window and cooperation, the display mode, activation and the lost-surface
// count. Surfaces hold it too, so it outlives a DirectDraw object released
// before its surfaces.
#include <cstdint>

#include "platform/os/window.h"

namespace platform::surface {

class Surface;

struct DisplayState {
  os::Window* window = nullptr;
  bool cooperationSet = false;
  bool exclusive = false;  // full screen, exclusive
  // The display mode set in full screen; 0 while the desktop's mode holds.
  int modeWidth = 0, modeHeight = 0, modeBitsPerPixel = 0;
  bool active = true;
  // Grows each time the display is taken away; a surface is lost while it
  // was last restored (or made) in an earlier generation.
  std::uint64_t lostGeneration = 0;
  Surface* primary = nullptr;  // the live primary surface, not owned
  os::Picture picture;         // reused for every present
};

}  // namespace platform::surface

#pragma once
// Lays a notice's strip over the bottom of the canvas as the window shows it.
#include <SDL.h>

#include "platform/os/window.h"

namespace platform::os {

// `shown`: where the canvas lies in the window's drawable; `canvasHeight`: its
// own height, so the strip is scaled as the canvas is.
void DrawNoticeStrip(SDL_Renderer* renderer, const Picture& strip, const SDL_Rect& shown, int canvasHeight);
// The same onto a window surface.
void DrawNoticeStrip(SDL_Surface* surface, const Picture& strip, const SDL_Rect& shown, int canvasHeight);

}  // namespace platform::os

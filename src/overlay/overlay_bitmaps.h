#pragma once
// The overlay's four bitmap surfaces and the palette of the last one loaded.
#include "platform/surface/surface.h"

namespace overlay {

enum class OverlayBitmap { KeyGuide, Panel, Font, Checker };

// The surface holding `which`, or null before LoadOverlayBitmaps or after
// the release. A surface lost to a display change is restored first: its
// pixels survive, so the text does not vanish for the rest of the run.
platform::surface::Surface* OverlaySurface(OverlayBitmap which);
platform::surface::Palette* OverlayPalette();

}  // namespace overlay

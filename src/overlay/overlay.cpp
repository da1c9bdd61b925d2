#include "overlay/overlay.h"

namespace overlay {

// The overlay's surfaces and screens come with the overlay work.
void LoadOverlayBitmaps() {}
void DrawFontText(int, int, int, const char*, int) {}
void DrawFontTextOnBlack(int, int, int, const char*, int) {}
void DrawClock() {}
void DrawKeyGuide() {}
void TitleStep() {}
void DrawOverlay() {}
void ReleaseOverlayObjects() {}

}  // namespace overlay

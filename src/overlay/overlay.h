#pragma once
// The 2D overlay: bitmaps, bitmap-font text, the clock, the key guide, the
// title screen and its order panels.

namespace overlay {

void LoadOverlayBitmaps();
void DrawFontText(int colourRow, int x, int y, const char* text, int count);
void DrawFontTextOnBlack(int colourRow, int x, int y, const char* text, int count);
void DrawClock();
void DrawKeyGuide();
void TitleStep();
// The title line or the order panels, drawn over each rendered frame.
void DrawOverlay();
// Gives back the overlay's surfaces and palette (at the scene release).
void ReleaseOverlayObjects();

}  // namespace overlay

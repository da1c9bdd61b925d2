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

}  // namespace overlay

#pragma once
// The 2D overlay: bitmaps, bitmap-font text, the clock, the key guide, the
// title screen and its order panels.

namespace overlay {

void LoadOverlayBitmaps();
void DrawFontText(int colourRow, int x, int y, const char* text, int count);
void DrawClock();
void DrawKeyGuide();
// "[ENTER]START ... SPEED=" and the speed as 20..100, under the title menu.
void DrawTitleMenuLine();
// The title line or the order panels, drawn over each rendered frame.
void DrawOverlay();
// One turn's picture: the world as the scene renders it, then the overlay
// over it unless the result screen owns the picture. It lives here because
// the scene sits under the overlay and cannot call it.
bool RenderFrame();
// Gives back the overlay's surfaces and palette (at the scene release).
void ReleaseOverlayObjects();

}  // namespace overlay

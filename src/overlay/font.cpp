#include "overlay/font.h"

#include "overlay/overlay.h"
#include "overlay/overlay_bitmaps.h"
#include "overlay/virtual_screen.h"
#include "vexel/vexel.h"

namespace overlay {

namespace surface = platform::surface;

namespace {

void DrawGlyphs(int row, int x, int y, const char* text, int count, std::uint32_t flags) {
  surface::Surface* font = OverlaySurface(OverlayBitmap::Font);
  surface::Surface* back = vexel::vexelContext.backBuffer.get();
  if (!font || !back || !text || row < font_row::kBlue || row > font_row::kDarkGreen) return;
  const int left = RealX(x);
  const int top = RealY(y);
  const int rowTop = kGlyphHeight * (row - 1);
  // A count beyond the terminator stops at it: never read past the text.
  for (int i = 0; i < count && text[i] != '\0'; ++i) {
    const int cell = FontCell(text[i]);
    if (cell < 0) continue;  // no glyph: an empty cell, the pen still moves
    const surface::Rect source{kGlyphWidth * cell, rowTop, kGlyphWidth * cell + kGlyphWidth, rowTop + kGlyphHeight};
    // A glyph partly off the back buffer is refused; that is all right.
    back->BltFast(left + kPenAdvance * i, top, font, &source, flags)
        .Ignore("a glyph that cannot be drawn is left out of this picture");
  }
}

}  // namespace

int FontCell(char c) {
  if (c == '\0') return -1;
  const std::size_t at = kFontCharset.find(c);
  return at == std::string_view::npos ? -1 : static_cast<int>(at);
}

void DrawFontText(int colourRow, int x, int y, const char* text, int count) {
  DrawGlyphs(colourRow, x, y, text, count, surface::blt_fast_flags::kWait | surface::blt_fast_flags::kSourceColorKey);
}

void DrawText(int row, int x, int y, std::string_view text) {
  DrawGlyphs(row, x, y, text.data(), static_cast<int>(text.size()),
             surface::blt_fast_flags::kWait | surface::blt_fast_flags::kSourceColorKey);
}

void DrawTextOnBlack(int row, int x, int y, std::string_view text) {
  DrawGlyphs(row, x, y, text.data(), static_cast<int>(text.size()), surface::blt_fast_flags::kWait);
}

}  // namespace overlay

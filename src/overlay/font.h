#pragma once
// The bitmap font: 70 glyph cells of 11 x 15 pixels in seven colour rows.
#include <string_view>

#include "platform/os/resources.h"

namespace overlay {

constexpr std::string_view kFontCharset = platform::os::font_layout::kCharset;
constexpr int kGlyphWidth = platform::os::font_layout::kCellWidth;
constexpr int kGlyphHeight = platform::os::font_layout::kCellHeight;
constexpr int kPenAdvance = platform::os::font_layout::kAdvance;

// Colour rows of the font bitmap.
namespace font_row {
constexpr int kBlue = 1;
constexpr int kCyan = 2;
constexpr int kYellow = 3;
constexpr int kWhite = 4;
constexpr int kRed = 5;
constexpr int kGreen = 6;
constexpr int kDarkGreen = 7;
}  // namespace font_row

// The cell of `c`, or -1 for a character the font has no glyph for.
int FontCell(char c);

// The whole of `text`, as DrawFontText takes it.
void DrawText(int row, int x, int y, std::string_view text);
void DrawTextOnBlack(int row, int x, int y, std::string_view text);

}  // namespace overlay

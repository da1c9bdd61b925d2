#pragma once
// The bitmap font: glyph shapes read from their ASCII-art source, the font
// bitmap laid out cell by cell, and text drawn with the glyphs.
#include <array>
#include <map>
#include <string>

#include "canvas.h"
#include "platform/os/resources.h"

namespace bitmaps {

// The layout the game reads the font with (a null-terminated literal).
inline constexpr const char* kFontCharset = platform::os::font_layout::kCharset.data();
constexpr int kCellWidth = platform::os::font_layout::kCellWidth;
constexpr int kCellHeight = platform::os::font_layout::kCellHeight;
constexpr int kPenAdvance = platform::os::font_layout::kAdvance;

using Glyph = std::array<std::string, kCellHeight>;  // rows of '#' ink and '.'

// Reads "glyph 'c'" headers each followed by 15 rows of 11 characters.
// Every character of the charset must be given exactly once.
std::map<char, Glyph> ReadGlyphs(const std::string& path);

// 772 x 105: the charset in cells of 11 x 15, one row of cells per colour.
Canvas MakeFontBitmap(const std::map<char, Glyph>& glyphs);

// Draws the ink of each character with its cell's top-left at (x, y),
// advancing 10 pixels per character.
void DrawText(Canvas& canvas, const std::map<char, Glyph>& glyphs, int x, int y, const std::string& text,
              std::uint8_t colour);

}  // namespace bitmaps

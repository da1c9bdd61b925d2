#pragma once
// The bitmap font: glyph shapes read from their ASCII-art source, the font
// bitmap laid out cell by cell, and text drawn with the glyphs.
#include <array>
#include <map>
#include <string>

#include "canvas.h"

namespace bitmaps {

inline constexpr char kFontCharset[] =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz1234567890=[]'?!: ";
constexpr int kCellWidth = 11;
constexpr int kCellHeight = 15;
constexpr int kPenAdvance = 10;  // neighbouring cells overlap by one column

using Glyph = std::array<std::string, kCellHeight>;  // rows of '#' ink and '.'

// Reads "glyph 'c'" headers each followed by 15 rows of 11 characters.
// Every character of the charset must be given exactly once.
std::map<char, Glyph> ReadGlyphs(const std::string& path);

// 772 x 105: the charset in cells of 11 x 15, one row of cells per colour.
Canvas MakeFontBitmap(const std::map<char, Glyph>& glyphs);

// Draws the ink of each character with its cell's top-left at (x, y),
// advancing 10 pixels per character.
void DrawText(Canvas& canvas, const std::map<char, Glyph>& glyphs, int x, int y,
              const std::string& text, std::uint8_t colour);

}  // namespace bitmaps

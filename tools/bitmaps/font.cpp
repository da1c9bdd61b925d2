#include "font.h"

#include <cstring>

#include "platform/surface/system_palette.h"
#include "source_text.h"

namespace bitmaps {

std::map<char, Glyph> ReadGlyphs(const std::string& path) {
  const std::vector<SourceLine> lines = ReadSourceLines(path);
  std::map<char, Glyph> glyphs;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const SourceLine& header = lines[i];
    if (IsCommentOrBlank(header.text)) continue;
    const std::string& h = header.text;
    if (h.size() != 9 || h.rfind("glyph '", 0) != 0 || h[8] != '\'')
      FailAt(path, header.number, "expected a header like glyph 'A'");
    const char c = h[7];
    if (c == '\0' || !std::strchr(kFontCharset, c))
      FailAt(path, header.number, std::string("'") + c + "' is not in the font's charset");
    if (glyphs.count(c)) FailAt(path, header.number, std::string("'") + c + "' given twice");
    Glyph glyph;
    for (int row = 0; row < kCellHeight; ++row) {
      if (++i >= lines.size()) FailAt(path, header.number, "glyph ends early");
      const std::string& art = lines[i].text;
      if (int(art.size()) != kCellWidth || art.find_first_not_of(".#") != std::string::npos)
        FailAt(path, lines[i].number, "glyph rows are 11 characters of '.' and '#'");
      glyph[row] = art;
    }
    glyphs[c] = glyph;
  }
  for (const char* c = kFontCharset; *c; ++c)
    if (!glyphs.count(*c)) throw SourceError(path + ": no glyph for '" + *c + "'");
  return glyphs;
}

Canvas MakeFontBitmap(const std::map<char, Glyph>& glyphs) {
  namespace sc = platform::surface::system_colour;
  static const std::uint8_t kRowColours[] = {sc::kBlue, sc::kCyan,  sc::kYellow,   sc::kWhite,
                                             sc::kRed,  sc::kGreen, sc::kDarkGreen};
  const int charCount = int(std::strlen(kFontCharset));
  Canvas font(772, kCellHeight * 7, sc::kBlack);
  for (int row = 0; row < 7; ++row)
    for (int k = 0; k < charCount; ++k) {
      // Cells are placed 11 apart here, unlike the 10-pixel pen advance.
      const Glyph& g = glyphs.at(kFontCharset[k]);
      for (int y = 0; y < kCellHeight; ++y)
        for (int x = 0; x < kCellWidth; ++x)
          if (g[y][x] == '#') font.Set(kCellWidth * k + x, kCellHeight * row + y, kRowColours[row]);
    }
  return font;
}

void DrawText(Canvas& canvas, const std::map<char, Glyph>& glyphs, int x, int y, const std::string& text,
              std::uint8_t colour) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto it = glyphs.find(text[i]);
    if (it == glyphs.end()) continue;
    for (int gy = 0; gy < kCellHeight; ++gy)
      for (int gx = 0; gx < kCellWidth; ++gx)
        if (it->second[gy][gx] == '#') canvas.Set(x + kPenAdvance * int(i) + gx, y + gy, colour);
  }
}

}  // namespace bitmaps

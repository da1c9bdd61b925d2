// zarn_make_bitmaps <asset folder> <output folder>
//
// Draws the bitmaps built into the game from the readable sources in the
// asset folder and writes them as 8-bit BMP files:
//   icon.bmp (resource 101), key_guide.bmp (110), order_panel.bmp (112),
//   font.bmp (116), checker.bmp (117).
#include <cstdio>
#include <exception>
#include <string>

#include "artwork_palette.h"
#include "bmp_writer.h"
#include "drawing_script.h"
#include "font.h"
#include "source_text.h"

namespace {

using namespace bitmaps;

// The tile repeated from the top-left corner over the whole bitmap.
Canvas Tiled(const PixelArt& tile, int width, int height) {
  Canvas canvas(width, height, 0);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) canvas.Set(x, y, tile.indices[(y % tile.height) * tile.width + x % tile.width]);
  return canvas;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: zarn_make_bitmaps <asset folder> <output folder>\n");
    return 2;
  }
  const std::string in = std::string(argv[1]) + "/", out = std::string(argv[2]) + "/";
  try {
    const Palette palette = ArtworkPalette();
    const auto glyphs = ReadGlyphs(in + "font_glyphs.txt");
    const Canvas icon = RunDrawingScript(in + "icon.txt", glyphs);
    if (icon.Width() != 32 || icon.Height() != 32) throw SourceError(in + "icon.txt: must be 32 x 32");
    const PixelArt tile = ReadPixelArt(in + "checker_tile.txt");
    const Canvas keyGuide = RunDrawingScript(in + "key_guide.txt", glyphs);
    if (keyGuide.Width() != 300 || keyGuide.Height() != 150) throw SourceError(in + "key_guide.txt: must be 300 x 150");

    const bool written = WriteFile(out + "icon.bmp", EncodeBmp8(icon, palette)) &&
                         WriteFile(out + "key_guide.bmp", EncodeBmp8(keyGuide, palette)) &&
                         WriteFile(out + "order_panel.bmp", EncodeBmp8(Tiled(tile, 280, 125), palette)) &&
                         WriteFile(out + "font.bmp", EncodeBmp8(MakeFontBitmap(glyphs), palette)) &&
                         WriteFile(out + "checker.bmp", EncodeBmp8(Tiled(tile, 68, 50), palette));
    return written ? 0 : 1;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "zarn_make_bitmaps: %s\n", e.what());
    return 1;
  }
}

#include "platform/rm/raster/palette_lut.h"

namespace platform::rm::raster {

void PaletteLut::Update(const surface::Palette& palette) {
  if (palette_ == &palette && version_ == palette.Version()) return;
  palette_ = &palette;
  version_ = palette.Version();
  entries_ = palette.Entries();
  // 32768 cells x 256 entries is about 8M distance tests; palettes change
  // rarely (mode switches), so the plain search is good enough.
  for (unsigned cell = 0; cell < 32768; ++cell) {
    int r = static_cast<int>(((cell >> 10) & 31) << 3 | 4);
    int g = static_cast<int>(((cell >> 5) & 31) << 3 | 4);
    int b = static_cast<int>((cell & 31) << 3 | 4);
    int best = 0, bestDist = 1 << 30;
    for (int i = 0; i < 256; ++i) {
      int dr = r - entries_[i].red, dg = g - entries_[i].green, db = b - entries_[i].blue;
      // Weighted toward green as the eye is; keeps greys grey.
      int d = 3 * dr * dr + 4 * dg * dg + 2 * db * db;
      if (d < bestDist) {
        bestDist = d;
        best = i;
      }
    }
    table_[cell] = static_cast<std::uint8_t>(best);
  }
}

}  // namespace platform::rm::raster

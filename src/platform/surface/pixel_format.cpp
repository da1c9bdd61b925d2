#include "platform/surface/pixel_format.h"

namespace platform::surface {

namespace {
// Weighted toward green, as the eye is, so that greys match greys.
int Distance(int dr, int dg, int db) { return 3 * dr * dr + 4 * dg * dg + 2 * db * db; }

std::uint8_t NearestOf(const std::uint8_t* colours, int r, int g, int b) {
  int best = 0, bestDistance = 1 << 30;
  for (int i = 0; i < 256; ++i) {
    const std::uint8_t* c = colours + 3 * i;
    int d = Distance(r - c[0], g - c[1], b - c[2]);
    if (d < bestDistance) {
      bestDistance = d;
      best = i;
    }
  }
  return static_cast<std::uint8_t>(best);
}

std::array<std::uint8_t, 3 * 256> ColoursOf(const std::array<PaletteEntry, 256>& entries) {
  std::array<std::uint8_t, 3 * 256> colours{};
  for (int i = 0; i < 256; ++i) {
    colours[3 * i] = entries[i].red;
    colours[3 * i + 1] = entries[i].green;
    colours[3 * i + 2] = entries[i].blue;
  }
  return colours;
}
}  // namespace

std::uint8_t NearestPaletteIndex(const std::array<PaletteEntry, 256>& entries, unsigned r, unsigned g, unsigned b) {
  auto colours = ColoursOf(entries);
  return NearestOf(colours.data(), static_cast<int>(r & 0xFF), static_cast<int>(g & 0xFF), static_cast<int>(b & 0xFF));
}

bool NearestPaletteTable::Update(const std::array<PaletteEntry, 256>& entries) {
  auto colours = ColoursOf(entries);
  if (built_ && colours == colours_) return false;
  colours_ = colours;
  built_ = true;
  for (int cell = 0; cell < 32768; ++cell) {
    // The middle of the cell stands for all the colours that fall into it.
    int r = ((cell >> 10) & 31) << 3 | 4;
    int g = ((cell >> 5) & 31) << 3 | 4;
    int b = (cell & 31) << 3 | 4;
    table_[cell] = NearestOf(colours_.data(), r, g, b);
  }
  return true;
}

}  // namespace platform::surface

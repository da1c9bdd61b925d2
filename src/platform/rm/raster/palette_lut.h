#pragma once
// What an 8-bit target needs of its palette: the nearest entry for a colour
// (drawing) and each entry's colour (blending reads the pixel back).
#include <array>
#include <cstdint>

#include "platform/surface/pixel_format.h"
#include "platform/surface/surface.h"

namespace platform::rm::raster {

class PaletteLut {
 public:
  void Update(const surface::Palette& palette) {
    table_.Update(palette);
    entries_ = palette.Entries();
  }
  std::uint8_t Index(unsigned r, unsigned g, unsigned b) const { return table_.Index(r, g, b); }
  const surface::PaletteEntry& Entry(std::uint8_t i) const { return entries_[i]; }

 private:
  surface::NearestPaletteTable table_;
  std::array<surface::PaletteEntry, 256> entries_{};
};

}  // namespace platform::rm::raster

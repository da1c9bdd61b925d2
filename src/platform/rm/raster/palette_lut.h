#pragma once
// Nearest-palette-entry lookup for 8-bit targets: 15-bit RGB (5 bits each) to
// an index, rebuilt only when the palette changes (its version grows).
#include <array>
#include <cstdint>

#include "platform/surface/surface.h"

namespace platform::rm::raster {

class PaletteLut {
 public:
  // Rebuilds when the palette or its version differs from the last build.
  void Update(const surface::Palette& palette);

  std::uint8_t Index(unsigned r, unsigned g, unsigned b) const {
    return table_[((r >> 3) << 10) | ((g >> 3) << 5) | (b >> 3)];
  }
  const std::uint8_t* Table() const { return table_.data(); }
  const surface::PaletteEntry& Entry(std::uint8_t i) const { return entries_[i]; }

 private:
  const surface::Palette* palette_ = nullptr;
  std::uint32_t version_ = 0;
  std::array<std::uint8_t, 32768> table_{};
  std::array<surface::PaletteEntry, 256> entries_{};
};

}  // namespace platform::rm::raster

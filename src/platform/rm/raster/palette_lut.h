#pragma once
// What an 8-bit target needs of its palette: the nearest entry for a colour
// (drawing) and each entry's colour (blending reads the pixel back).
#include <array>
#include <atomic>
#include <cstdint>

#include "platform/surface/pixel_format.h"
#include "platform/surface/surface.h"

namespace platform::rm::raster {

class PaletteLut {
 public:
  void Update(const surface::Palette& palette) {
    if (table_.Update(palette)) generation_ = NextGeneration();
    entries_ = palette.Entries();
  }
  // Which colours the entries have: a number no other table's colours
  // have had in this process (kept blends, FlatBlend8, compare it).
  std::uint64_t Generation() const { return generation_; }
  std::uint8_t Index(unsigned r, unsigned g, unsigned b) const { return table_.Index(r, g, b); }
  const surface::PaletteEntry& Entry(std::uint8_t i) const { return entries_[i]; }
  // For vector loops: the entries in order (red, green, blue and flags
  // bytes each), and the nearest-index table's cells.
  const surface::PaletteEntry* Entries() const { return entries_.data(); }
  const std::uint8_t* Cells() const { return table_.Cells(); }

 private:
  static std::uint64_t NextGeneration() {
    static std::atomic<std::uint64_t> last{0};
    return ++last;
  }
  surface::NearestPaletteTable table_;
  std::array<surface::PaletteEntry, 256> entries_{};
  std::uint64_t generation_ = NextGeneration();
};

}  // namespace platform::rm::raster

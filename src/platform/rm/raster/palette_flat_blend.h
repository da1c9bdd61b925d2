#pragma once
// One colour at one alpha mixed over an 8-bit picture (a flat translucent
// face, a shadow): what it writes over a pixel depends on nothing but the
// palette index there. So each index met is mixed and looked up once, and
// then read back for every other pixel of it: the same pixels as mixing
// each (Mix, then the nearest entry), bit for bit, for a load or two a
// pixel. A translucent table top over an 8-bit picture meets a few indices
// over a million pixels.
#include <array>
#include <cstdint>

#include "platform/rm/raster/palette_lut.h"
#include "platform/rm/raster/span_pixels.h"

namespace platform::rm::raster {

class FlatBlend8 {
 public:
  // The blend of (r, g, b) at `alpha` over `lut`'s colours. Each thread keeps
  // the last few it used, with what they learned: the faces of a picture
  // come back band after band, mostly in few colours.
  static FlatBlend8& For(const PaletteLut& lut, unsigned r, unsigned g, unsigned b, unsigned alpha) {
    thread_local std::array<FlatBlend8, 4> kept;
    thread_local unsigned next = 0;
    for (FlatBlend8& k : kept)
      if (k.lut_ == &lut && k.generation_ == lut.Generation() && k.r_ == r && k.g_ == g && k.b_ == b &&
          k.alpha_ == alpha)
        return k;
    FlatBlend8& k = kept[next++ % kept.size()];
    k.lut_ = &lut;
    k.generation_ = lut.Generation();
    k.r_ = r;
    k.g_ = g;
    k.b_ = b;
    k.alpha_ = alpha;
    k.over_.fill(kUnknown);
    return k;
  }

  // The index written over index d.
  std::uint8_t Over(std::uint8_t d) {
    const std::uint16_t over = over_[d];
    return over != kUnknown ? static_cast<std::uint8_t>(over) : Learn(d);
  }

 private:
  static constexpr std::uint16_t kUnknown = 0x100;  // no index

  [[gnu::noinline]] std::uint8_t Learn(std::uint8_t d) {
    const surface::PaletteEntry& e = lut_->Entry(d);
    const std::uint8_t over = lut_->Index(Mix(r_, e.red, alpha_), Mix(g_, e.green, alpha_), Mix(b_, e.blue, alpha_));
    over_[d] = over;
    return over;
  }

  const PaletteLut* lut_ = nullptr;
  std::uint64_t generation_ = 0;  // no table's (they start at 1)
  unsigned r_ = 0, g_ = 0, b_ = 0, alpha_ = 0;
  std::array<std::uint16_t, 256> over_{};  // what each index becomes, or kUnknown
};

}  // namespace platform::rm::raster

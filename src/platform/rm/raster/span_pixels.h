#pragma once
// One pixel of a span: its values, reading and writing it at each depth, and
// the blend of a drawn colour over it.
#include <cstdint>
#include <cstring>

#include "platform/rm/raster/target.h"
#include "platform/surface/pixel_format.h"

namespace platform::rm::raster {

// a + k·b as the vector lanes compute it, modulo 2^32 (their adds wrap):
// lanes past a span's end, which short spans mask off, may overflow where
// the span's own pixels never do, and in plain int arithmetic that is
// undefined.
constexpr std::int32_t LaneValue(std::int32_t a, std::int32_t k, std::int32_t b) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) +
                                   static_cast<std::uint32_t>(k) * static_cast<std::uint32_t>(b));
}

// The depth of the span's pixel k, the same whichever loop draws it: a
// running sum would round differently from one taken in steps of several
// pixels.
inline float SpanDepth(const SpanValues& v, int k) { return v.z + static_cast<float>(k) * v.dz; }

inline unsigned Mix(unsigned src, unsigned dst, unsigned alpha) {
  // alpha in 0..255; (x * 257 + 256) >> 16 is x / 255 rounded for x < 65536.
  unsigned v = src * alpha + dst * (255u - alpha);
  return (v * 257u + 256u) >> 16;
}

template <int Bpp>
inline void ReadPixel(const Target& t, const std::uint8_t* row, int x, unsigned& r, unsigned& g, unsigned& b) {
  if constexpr (Bpp == 16) {
    std::uint16_t p;
    std::memcpy(&p, row + 2 * x, 2);
    std::uint32_t rgb = surface::ExpandRgb565(p);
    r = rgb >> 16;
    g = (rgb >> 8) & 0xFFu;
    b = rgb & 0xFFu;
  } else if constexpr (Bpp == 24) {
    const std::uint8_t* p = row + 3 * x;
    b = p[0];
    g = p[1];
    r = p[2];
  } else {
    const auto& e = t.lut->Entry(row[x]);
    r = e.red;
    g = e.green;
    b = e.blue;
  }
}

template <int Bpp>
inline void WritePixel(const Target& t, std::uint8_t* row, int x, unsigned r, unsigned g, unsigned b) {
  if constexpr (Bpp == 16) {
    std::uint16_t p = surface::PackRgb565(r, g, b);
    std::memcpy(row + 2 * x, &p, 2);
  } else if constexpr (Bpp == 24) {
    surface::StoreRgb888(row + 3 * x, surface::PackRgb888(r, g, b));
  } else {
    row[x] = t.lut->Index(r, g, b);
  }
}

}  // namespace platform::rm::raster

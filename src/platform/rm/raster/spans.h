#pragma once
// Inner loops of the rasterizer, one instance per pixel depth, shading and
// kind, so that the per-pixel work carries no branches on the mode. The row
// pointers come from the row walk (marks only for shadows).
#include <cstdint>
#include <cstring>

#include "platform/rm/raster/blend_span.h"
#include "platform/rm/raster/opaque_span.h"
#include "platform/rm/raster/palette_flat_blend.h"
#include "platform/rm/raster/span_pixels.h"
#include "platform/rm/raster/target.h"
#include "platform/surface/pixel_format.h"

namespace platform::rm::raster {

template <int Bpp, bool Gouraud, SpanKind Kind>
inline void DrawSpan(const Target& t, std::uint8_t* row, float* zrow, std::uint16_t* marks, int xs, int xe,
                     const SpanValues& v, unsigned alpha) {
  if constexpr (Kind == SpanKind::kOpaque) {
    OpaqueSpan<Bpp, Gouraud>(t, row, zrow, xs, xe, v);
    return;
  } else if constexpr (Kind == SpanKind::kBlend) {
    BlendSpan<Bpp, Gouraud>(t, row, zrow, xs, xe, v, alpha);
    return;
  } else {
    // Shadows: a depth test with a bias, each pixel darkened once.
    float z = v.z;
    const std::int32_t r = v.r, g = v.g, b = v.b;
    FlatBlend8* over = nullptr;
    if constexpr (Bpp == 8)
      over = &FlatBlend8::For(*t.lut, unsigned(r >> 16), unsigned(g >> 16), unsigned(b >> 16), alpha);
    for (int x = xs; x < xe; ++x, z += v.dz) {
      if (z >= zrow[x] && marks[x] != t.shadowMark) {
        marks[x] = t.shadowMark;
        if constexpr (Bpp == 8) {
          row[x] = over->Over(row[x]);
        } else {
          unsigned dr, dg, db;
          ReadPixel<Bpp>(t, row, x, dr, dg, db);
          WritePixel<Bpp>(t, row, x, Mix(unsigned(r >> 16), dr, alpha), Mix(unsigned(g >> 16), dg, alpha),
                          Mix(unsigned(b >> 16), db, alpha));
        }
      }
    }
  }
}

}  // namespace platform::rm::raster

#pragma once
// Inner loops of the rasterizer, one instance per pixel depth, shading and
// kind, so that the per-pixel work carries no branches on the mode.
#include <cstdint>
#include <cstring>

#include "platform/rm/raster/blend_span.h"
#include "platform/rm/raster/span_pixels.h"
#include "platform/rm/raster/target.h"
#include "platform/surface/pixel_format.h"

namespace platform::rm::raster {

template <int Bpp, bool Gouraud, SpanKind Kind>
inline void DrawSpan(const Target& t, int y, int xs, int xe, SpanValues v, unsigned alpha) {
  std::uint8_t* row = t.color + static_cast<std::ptrdiff_t>(y) * t.colorPitch;
  float* zrow = t.depth + static_cast<std::ptrdiff_t>(y) * t.depthPitch;
  float z = v.z;
  std::int32_t r = v.r, g = v.g, b = v.b;
  if constexpr (Kind == SpanKind::kOpaque && !Gouraud && Bpp == 16) {
    const std::uint16_t p =
        surface::PackRgb565(unsigned(r >> 16), unsigned(g >> 16), unsigned(b >> 16));
    for (int x = xs; x < xe; ++x, z += v.dz) {
      if (z > zrow[x]) {
        zrow[x] = z;
        std::memcpy(row + 2 * x, &p, 2);  // the bytes are not uint16_t objects
      }
    }
    return;
  } else if constexpr (Kind == SpanKind::kOpaque && Gouraud && Bpp == 16) {
    for (int x = xs; x < xe; ++x, z += v.dz, r += v.dr, g += v.dg, b += v.db) {
      if (z > zrow[x]) {
        zrow[x] = z;
        const auto p = static_cast<std::uint16_t>(((r >> 8) & 0xF800) | ((g >> 13) & 0x07E0) |
                                                  ((b >> 19) & 0x001F));
        std::memcpy(row + 2 * x, &p, 2);
      }
    }
    return;
  } else if constexpr (Kind == SpanKind::kOpaque && Bpp == 24) {
    std::uint8_t* dst = row + 3 * xs;
    for (int x = xs; x < xe; ++x, dst += 3, z += v.dz) {
      if (z > zrow[x]) {
        zrow[x] = z;
        dst[0] = static_cast<std::uint8_t>(b >> 16);
        dst[1] = static_cast<std::uint8_t>(g >> 16);
        dst[2] = static_cast<std::uint8_t>(r >> 16);
      }
      if constexpr (Gouraud) {
        r += v.dr;
        g += v.dg;
        b += v.db;
      }
    }
    return;
  } else if constexpr (Kind == SpanKind::kBlend) {
    BlendSpan<Bpp, Gouraud>(t, row, zrow, xs, xe, v, alpha);
    return;
  } else {
    std::uint16_t* marks = nullptr;
    if constexpr (Kind == SpanKind::kShadow)
      marks = t.shadowMarks + static_cast<std::ptrdiff_t>(y) * t.shadowPitch;
    for (int x = xs; x < xe; ++x) {
      if constexpr (Kind == SpanKind::kOpaque) {
        if (z > zrow[x]) {
          zrow[x] = z;
          WritePixel<Bpp>(t, row, x, unsigned(r >> 16), unsigned(g >> 16), unsigned(b >> 16));
        }
      } else {
        if (z >= zrow[x] && marks[x] != t.shadowMark) {
          marks[x] = t.shadowMark;
          unsigned dr, dg, db;
          ReadPixel<Bpp>(t, row, x, dr, dg, db);
          WritePixel<Bpp>(t, row, x, Mix(unsigned(r >> 16), dr, alpha),
                          Mix(unsigned(g >> 16), dg, alpha), Mix(unsigned(b >> 16), db, alpha));
        }
      }
      z += v.dz;
      if constexpr (Gouraud) {
        r += v.dr;
        g += v.dg;
        b += v.db;
      }
    }
  }
}

}  // namespace platform::rm::raster

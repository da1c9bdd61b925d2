#pragma once
// Inner loops of the rasterizer, one instance per pixel depth, shading and
// kind, so that the per-pixel work carries no branches on the mode.
#include <cstdint>
#include <cstring>

#include "platform/rm/raster/target.h"
#include "platform/surface/pixel_format.h"

namespace platform::rm::raster {

// Values at the first pixel centre of a span and their steps per pixel.
// Colours are 16.16 fixed point in 0..255.
struct SpanValues {
  float z, dz;
  std::int32_t r, g, b, dr, dg, db;
};

inline unsigned Mix(unsigned src, unsigned dst, unsigned alpha) {
  // alpha in 0..255; (x * 257 + 256) >> 16 is x / 255 rounded for x < 65536.
  unsigned v = src * alpha + dst * (255u - alpha);
  return (v * 257u + 256u) >> 16;
}

template <int Bpp>
inline void ReadPixel(const Target& t, const std::uint8_t* row, int x, unsigned& r, unsigned& g,
                      unsigned& b) {
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
inline void WritePixel(const Target& t, std::uint8_t* row, int x, unsigned r, unsigned g,
                       unsigned b) {
  if constexpr (Bpp == 16) {
    std::uint16_t p = surface::PackRgb565(r, g, b);
    std::memcpy(row + 2 * x, &p, 2);
  } else if constexpr (Bpp == 24) {
    surface::StoreRgb888(row + 3 * x, surface::PackRgb888(r, g, b));
  } else {
    row[x] = t.lut->Index(r, g, b);
  }
}

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
      } else if constexpr (Kind == SpanKind::kBlend) {
        if (z > zrow[x]) {
          unsigned dr, dg, db;
          ReadPixel<Bpp>(t, row, x, dr, dg, db);
          WritePixel<Bpp>(t, row, x, Mix(unsigned(r >> 16), dr, alpha),
                          Mix(unsigned(g >> 16), dg, alpha), Mix(unsigned(b >> 16), db, alpha));
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

#pragma once
// Where the rasterizer draws: colour rows of 8, 16 or 24 bits per pixel, a
// float depth row per colour row (larger = nearer: the depth kept is 1/z),
// and the scissor rectangle (the viewport) that nothing is drawn outside.
#include <cstdint>

#include "platform/rm/raster/palette_lut.h"

namespace platform::rm::raster {

struct Target {
  std::uint8_t* color = nullptr;
  int colorPitch = 0;  // bytes
  int bitsPerPixel = 16;
  float* depth = nullptr;
  int depthPitch = 0;  // floats
  // Scissor, half-open: [x0, x1) x [y0, y1).
  int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
  const PaletteLut* lut = nullptr;  // 8-bit targets only
  // Per-pixel marks that keep one shadow from darkening a pixel twice.
  std::uint16_t* shadowMarks = nullptr;
  int shadowPitch = 0;  // entries
  std::uint16_t shadowMark = 0;

  bool Valid() const { return color && ReadyButColor(); }
  // Everything but the colour pointer is in place.
  bool ReadyButColor() const {
    return depth && x1 > x0 && y1 > y0 &&
           (bitsPerPixel == 8 ? lut != nullptr : bitsPerPixel == 16 || bitsPerPixel == 24);
  }
};

// A vertex ready to rasterize: pixel position, 1/z, colour in 0..255.
struct ScreenVertex {
  float x = 0, y = 0, invZ = 0;
  float r = 0, g = 0, b = 0;
};

enum class SpanKind : std::uint8_t {
  kOpaque,      // depth-tested, writes depth
  kBlend,       // depth-tested, blended by alpha, leaves depth
  kShadow,      // darkens once per shadow, depth-tested with a bias, leaves depth
};

struct TriangleStyle {
  bool gouraud = false;  // else the colour of vertex 0 fills the triangle
  SpanKind kind = SpanKind::kOpaque;
  std::uint8_t alpha = 255;  // kBlend and kShadow: weight of the drawn colour
};

// Fills with the top-left rule at pixel centres; degenerate or non-finite
// triangles draw nothing.
void DrawTriangle(const Target& target, const ScreenVertex& a, const ScreenVertex& b,
                  const ScreenVertex& c, const TriangleStyle& style);

// A depth-tested line in the colour of `a` (wireframe), ends included.
void DrawLine(const Target& target, const ScreenVertex& a, const ScreenVertex& b);
void DrawPoint(const Target& target, const ScreenVertex& p);

// Fills the scissor rectangle with one colour and the farthest depth.
void Clear(const Target& target, unsigned r, unsigned g, unsigned b, bool color, bool depth);

}  // namespace platform::rm::raster

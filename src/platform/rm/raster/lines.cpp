// Wireframe and point drawing: depth-tested, writing depth, one colour.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/rm/raster/span_pixels.h"
#include "platform/rm/raster/target.h"

namespace platform::rm::raster {
namespace {

template <int Bpp>
void Plot(const Target& t, int x, int y, float z, unsigned r, unsigned g, unsigned b) {
  if (x < t.x0 || x >= t.x1 || y < t.y0 || y >= t.y1) return;
  float& zb = t.depth[static_cast<std::ptrdiff_t>(y) * t.depthPitch + x];
  if (!(z > zb)) return;
  zb = z;
  WritePixel<Bpp>(t, t.color + static_cast<std::ptrdiff_t>(y) * t.colorPitch, x, r, g, b);
}

unsigned Channel(float c) { return static_cast<unsigned>(std::clamp(c, 0.0f, 255.0f)); }

template <int Bpp>
void Line(const Target& t, const ScreenVertex& a, const ScreenVertex& b) {
  unsigned r = Channel(a.r), g = Channel(a.g), bl = Channel(a.b);
  float dx = b.x - a.x, dy = b.y - a.y;
  float len = std::max(std::abs(dx), std::abs(dy));
  // Clip the parameter range to the scissor so long off-screen lines cost nothing.
  float t0 = 0.0f, t1 = 1.0f;
  auto clip = [&](float p, float q) {  // keeps p*s <= q
    if (p == 0.0f) return q >= 0.0f;
    float s = q / p;
    if (p < 0.0f)
      t0 = std::max(t0, s);
    else
      t1 = std::min(t1, s);
    return t0 <= t1;
  };
  if (!clip(-dx, a.x - float(t.x0)) || !clip(dx, float(t.x1) - a.x) || !clip(-dy, a.y - float(t.y0)) ||
      !clip(dy, float(t.y1) - a.y))
    return;
  int steps = static_cast<int>(std::ceil(len * (t1 - t0)));
  float inv = steps > 0 ? (t1 - t0) / float(steps) : 0.0f;
  for (int i = 0; i <= steps; ++i) {
    float s = t0 + inv * float(i);
    Plot<Bpp>(t, static_cast<int>(std::floor(a.x + dx * s)), static_cast<int>(std::floor(a.y + dy * s)),
              a.invZ + (b.invZ - a.invZ) * s, r, g, bl);
  }
}

}  // namespace

void DrawLine(const Target& t, const ScreenVertex& a, const ScreenVertex& b) {
  if (!t.Valid() || !Finite(a) || !Finite(b)) return;
  t.WillWrite(t.y0, t.y1, true);
  switch (t.bitsPerPixel) {
    case 8: return Line<8>(t, a, b);
    case 16: return Line<16>(t, a, b);
    case 24: return Line<24>(t, a, b);
    default: return;
  }
}

void DrawPoint(const Target& t, const ScreenVertex& p) {
  if (!t.Valid() || !Finite(p)) return;
  t.WillWrite(t.y0, t.y1, true);
  int x = static_cast<int>(std::floor(p.x)), y = static_cast<int>(std::floor(p.y));
  unsigned r = Channel(p.r), g = Channel(p.g), b = Channel(p.b);
  switch (t.bitsPerPixel) {
    case 8: return Plot<8>(t, x, y, p.invZ, r, g, b);
    case 16: return Plot<16>(t, x, y, p.invZ, r, g, b);
    case 24: return Plot<24>(t, x, y, p.invZ, r, g, b);
    default: return;
  }
}

namespace {

// The rows of t's a clear to `value` must write: all of them where the
// buffer's rows are not tracked.
ClearedRows::Range RowsToClear(const Target& t, ClearedRows* rows, std::uint32_t value) {
  if (!rows) return {t.y0, t.y1};
  const ClearedRows::Range write = rows->Clearing(t.x0, t.x1, t.y0, t.y1, value);
  return {std::max(t.y0, write.y0), std::min(t.y1, write.y1)};
}

}  // namespace

ClearPlan PlanClear(const Target& t, unsigned r, unsigned g, unsigned b, bool color, bool depth) {
  ClearPlan plan;
  plan.r = std::min(r, 255u), plan.g = std::min(g, 255u), plan.b = std::min(b, 255u);
  plan.color = color, plan.depth = depth;
  if (!t.Valid()) return plan;
  // Rows that hold nothing nearer, or only this colour, are left as they are.
  plan.depthRows = depth ? RowsToClear(t, t.depthRows, 0) : ClearedRows::Range{};
  const std::uint32_t packed =
      t.bitsPerPixel == 16 ? surface::PackRgb565(plan.r, plan.g, plan.b) : surface::PackRgb888(plan.r, plan.g, plan.b);
  plan.colorRows = color ? RowsToClear(t, t.bitsPerPixel != 8 ? t.colorRows : nullptr, packed) : ClearedRows::Range{};
  return plan;
}

void ClearBand(const Target& t, const ClearPlan& plan, int y0, int y1) {
  if (!t.Valid()) return;
  const unsigned r = plan.r, g = plan.g, b = plan.b;
  const int n = t.x1 - t.x0;
  const int bytes = t.bitsPerPixel / 8;
  const std::uint8_t* firstRow = nullptr;
  for (int y = std::max(y0, t.y0); y < std::min(y1, t.y1); ++y) {
    if (y >= plan.depthRows.y0 && y < plan.depthRows.y1)
      std::fill_n(t.depth + static_cast<std::ptrdiff_t>(y) * t.depthPitch + t.x0, n, 0.0f);
    if (y < plan.colorRows.y0 || y >= plan.colorRows.y1) continue;
    std::uint8_t* row = t.color + static_cast<std::ptrdiff_t>(y) * t.colorPitch + t.x0 * bytes;
    if (firstRow) {
      // Every row is the same: copying the first beats packing each pixel.
      std::memcpy(row, firstRow, static_cast<std::size_t>(n) * bytes);
      continue;
    }
    if (t.bitsPerPixel == 16 || t.bitsPerPixel == 24) {
      // One pixel, then the row doubled onto itself: a renderer that clears
      // band by band packs a first row for every band.
      if (t.bitsPerPixel == 16) {
        const std::uint16_t p = surface::PackRgb565(r, g, b);
        std::memcpy(row, &p, 2);
      } else {
        surface::StoreRgb888(row, surface::PackRgb888(r, g, b));
      }
      const std::size_t total = static_cast<std::size_t>(n) * bytes;
      for (std::size_t done = bytes; done < total; done *= 2)
        std::memcpy(row + done, row, std::min(done, total - done));
    } else {
      std::memset(row, t.lut->Index(r, g, b), static_cast<std::size_t>(n));
    }
    firstRow = row;
  }
}

void Clear(const Target& t, unsigned r, unsigned g, unsigned b, bool color, bool depth) {
  ClearBand(t, PlanClear(t, r, g, b, color, depth), t.y0, t.y1);
}

}  // namespace platform::rm::raster

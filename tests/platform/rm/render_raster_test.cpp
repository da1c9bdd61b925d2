// The rasterizer on its own: fill rule, depth, blending, clipping, 8 bits.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

#include "platform/rm/raster/target.h"
#include "platform/rm/render_clip.h"
#include "platform/surface/pixel_format.h"

namespace platform::rm {
namespace {

using raster::ScreenVertex;

struct Canvas {
  int w, h, bpp;
  std::vector<std::uint8_t> color;
  std::vector<float> depth;
  std::vector<std::uint16_t> marks;
  raster::PaletteLut lut;
  raster::Target t;

  Canvas(int w_, int h_, int bpp_) : w(w_), h(h_), bpp(bpp_) {
    color.assign(static_cast<std::size_t>(w) * h * (bpp / 8), 0);
    depth.assign(static_cast<std::size_t>(w) * h, 0.0f);
    marks.assign(static_cast<std::size_t>(w) * h, 0);
    t.color = color.data();
    t.colorPitch = w * (bpp / 8);
    t.bitsPerPixel = bpp;
    t.depth = depth.data();
    t.depthPitch = w;
    t.x1 = w;
    t.y1 = h;
    t.shadowMarks = marks.data();
    t.shadowPitch = w;
    t.shadowMark = 1;
  }
  std::uint16_t At16(int x, int y) const {
    std::uint16_t p;
    std::memcpy(&p, &color[(static_cast<std::size_t>(y) * w + x) * 2], 2);
    return p;
  }
};

ScreenVertex V(float x, float y, float iz, float r = 255, float g = 0, float b = 0) { return {x, y, iz, r, g, b}; }

TEST(RenderRaster, SharedEdgeIsFilledExactlyOnce) {
  Canvas c(16, 16, 16);
  raster::TriangleStyle half{false, raster::SpanKind::kBlend, 128};
  // Two halves of a square meeting on the diagonal, drawn half-transparent
  // over black: a doubly drawn pixel would come out brighter.
  raster::DrawTriangle(c.t, V(0, 0, 1), V(16, 0, 1), V(0, 16, 1), half);
  raster::DrawTriangle(c.t, V(16, 0, 1), V(16, 16, 1), V(0, 16, 1), half);
  std::uint16_t expect = surface::PackRgb565(128, 0, 0);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) ASSERT_EQ(c.At16(x, y), expect) << x << "," << y;
}

TEST(RenderRaster, NearerTriangleWinsWhateverTheOrder) {
  for (bool nearFirst : {true, false}) {
    Canvas c(8, 8, 16);
    raster::TriangleStyle opaque{};
    for (bool nearOne : {nearFirst, !nearFirst}) {
      const float iz = nearOne ? 0.5f : 0.25f, r = nearOne ? 255 : 0;
      raster::DrawTriangle(c.t, V(0, 0, iz, r, 0, 255 - r), V(8, 0, iz, r, 0, 255 - r), V(0, 8, iz, r, 0, 255 - r),
                           opaque);
    }
    EXPECT_EQ(c.At16(1, 1), surface::PackRgb565(255, 0, 0));
  }
}

TEST(RenderRaster, DegenerateAndNonFiniteTrianglesDrawNothing) {
  Canvas c(8, 8, 16);
  const raster::OpaqueTriangles opaque(c.t);
  auto draw = [&](const raster::ScreenVertex& a, const raster::ScreenVertex& b, const raster::ScreenVertex& v) {
    for (bool gouraud : {false, true}) {
      raster::DrawTriangle(c.t, a, b, v, {gouraud, raster::SpanKind::kOpaque, 255});
      opaque.Draw(a, b, v, gouraud);  // as a mesh draws them
    }
  };
  float nan = std::numeric_limits<float>::quiet_NaN();
  float inf = std::numeric_limits<float>::infinity();
  draw(V(0, 0, 1), V(4, 4, 1), V(8, 8, 1));  // collinear
  draw(V(2, 2, 1), V(2, 2, 1), V(2, 2, 1));  // a point
  draw(V(0, 0, nan), V(8, 0, 1), V(0, 8, 1));
  draw(V(nan, 0, 1), V(8, 0, 1), V(0, 8, 1));
  draw(V(0, 0, 1), V(inf, 0, 1), V(0, 8, 1));
  draw(V(0, 0, 1, nan), V(8, 0, 1), V(0, 8, 1));
  raster::DrawLine(c.t, V(nan, 0, 1), V(8, 8, 1));
  for (auto b : c.color) ASSERT_EQ(b, 0);
  for (float d : c.depth) ASSERT_EQ(d, 0.0f);
}

TEST(RenderRaster, ScissorKeepsHugeTrianglesInside) {
  Canvas c(32, 32, 24);
  c.t.x0 = c.t.y0 = 8;
  c.t.x1 = c.t.y1 = 24;
  raster::DrawTriangle(c.t, V(-1e6f, -1e6f, 1), V(1e6f, -1e6f, 1), V(0, 1e6f, 1), {});
  int drawn = 0;
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      bool inside = x >= 8 && x < 24 && y >= 8 && y < 24;
      bool set = c.color[(y * 32 + x) * 3 + 2] == 255;
      ASSERT_EQ(set, inside) << x << "," << y;
      drawn += set;
    }
  EXPECT_EQ(drawn, 16 * 16);
}

TEST(RenderRaster, EightBitGoesThroughThePalette) {
  std::array<surface::PaletteEntry, 256> entries{};
  entries[7] = {250, 10, 10, 0};  // nearly red
  entries[9] = {10, 10, 250, 0};  // nearly blue
  auto palette = MakeRef<surface::Palette>(entries);
  Canvas c(8, 8, 8);
  c.lut.Update(*palette);
  c.t.lut = &c.lut;
  raster::Clear(c.t, 0, 0, 255, true, true);
  EXPECT_EQ(c.color[0], 9);
  raster::DrawTriangle(c.t, V(0, 0, 1), V(8, 0, 1), V(0, 8, 1), {});
  EXPECT_EQ(c.color[0], 7);
  // Blending reads the entry's colour back: red over blue is neither.
  raster::Clear(c.t, 0, 0, 255, true, true);
  entries[3] = {128, 10, 128, 0};
  palette->SetEntries(entries);
  c.lut.Update(*palette);
  raster::DrawTriangle(c.t, V(0, 0, 1), V(8, 0, 1), V(0, 8, 1), {false, raster::SpanKind::kBlend, 128});
  EXPECT_EQ(c.color[0], 3);
  // Without a palette table an 8-bit target is not drawn into at all.
  c.t.lut = nullptr;
  raster::Clear(c.t, 255, 0, 0, true, true);
  EXPECT_EQ(c.color[0], 3);
}

TEST(RenderRaster, ShadowDarkensEachPixelOnceAndLeavesDepth) {
  Canvas c(8, 8, 24);
  raster::Clear(c.t, 200, 200, 200, true, false);
  raster::TriangleStyle shadow{false, raster::SpanKind::kShadow, 128};
  ScreenVertex a = V(0, 0, 1, 0, 0, 0), b = V(8, 0, 1, 0, 0, 0), d = V(0, 8, 1, 0, 0, 0);
  raster::DrawTriangle(c.t, a, b, d, shadow);
  raster::DrawTriangle(c.t, a, b, d, shadow);  // overlapping part of the same shadow
  EXPECT_NEAR(c.color[0], 100, 1);
  EXPECT_EQ(c.depth[0], 0.0f);
  c.t.shadowMark = 2;  // the next shadow darkens again
  raster::DrawTriangle(c.t, a, b, d, shadow);
  EXPECT_NEAR(c.color[0], 50, 1);
}

// Random overlapping triangles of every kind, drawn whole one after another
// and again band by band (each set up once, then walked a few rows at a
// time, all of them per band): the same colours, depths and shadow marks.
TEST(RenderRaster, TrianglesWalkedBandByBandGiveTheSamePicture) {
  std::mt19937 rng(7);
  auto coord = [&](float lo, float hi) { return std::uniform_real_distribution<float>(lo, hi)(rng); };
  std::array<surface::PaletteEntry, 256> entries{};
  for (int i = 0; i < 256; ++i) entries[i] = {std::uint8_t(i), std::uint8_t(255 - i), std::uint8_t(i / 2), 0};
  raster::PaletteLut lut;
  lut.Update(surface::Palette(entries));
  for (int bpp : {8, 16, 24}) {
    for (int trial = 0; trial < 20; ++trial) {
      Canvas whole(96, 80, bpp), banded(96, 80, bpp);
      whole.t.lut = banded.t.lut = &lut;
      struct Tri {
        ScreenVertex v[3];
        raster::TriangleStyle style;
      };
      std::vector<Tri> tris;
      for (int k = 0; k < 12; ++k) {
        Tri tri;
        for (ScreenVertex& v : tri.v)
          v = V(coord(-20, 116), coord(-20, 100), coord(0.1f, 1), coord(0, 255), coord(0, 255), coord(0, 255));
        const int kind = k % 4;
        tri.style = {kind != 1,
                     kind < 2    ? raster::SpanKind::kOpaque
                     : kind == 2 ? raster::SpanKind::kBlend
                                 : raster::SpanKind::kShadow,
                     static_cast<std::uint8_t>(coord(0, 255))};
        if (tri.style.kind == raster::SpanKind::kShadow) tri.style.gouraud = false;
        tris.push_back(tri);
      }
      for (const Tri& tri : tris) raster::DrawTriangle(whole.t, tri.v[0], tri.v[1], tri.v[2], tri.style);
      std::vector<raster::RowWalk> walks(tris.size());
      for (std::size_t k = 0; k < tris.size(); ++k)
        walks[k].Start(banded.t, tris[k].v[0], tris[k].v[1], tris[k].v[2], tris[k].style);
      for (int y = 0; y < 80;) {
        y = std::min(80, y + 1 + static_cast<int>(rng() % 9));
        for (raster::RowWalk& w : walks) w.Draw(banded.t, y);
      }
      ASSERT_EQ(whole.color, banded.color) << bpp << " bits, trial " << trial;
      ASSERT_EQ(whole.depth, banded.depth) << bpp << " bits, trial " << trial;
      ASSERT_EQ(whole.marks, banded.marks) << bpp << " bits, trial " << trial;
    }
  }
}

TEST(RenderClip, FrontAndBackPlanesCutTriangles) {
  Projection p = Projection::For(0, 0, 100, 100, 0.5f, 1.0f, 10.0f);
  ASSERT_TRUE(p.Valid());
  CameraVertex tri[3] = {{{0, 0, -5}}, {{0, 1, 20}}, {{1, 0, 5}}};
  CameraVertex out[clip::kMaxClipped];
  int n = ClipPolygon(p, tri, 3, clip::kFront | clip::kBack, out);
  ASSERT_GE(n, 3);
  for (int i = 0; i < n; ++i) {
    EXPECT_GE(out[i].p.z, 1.0f);
    EXPECT_LE(out[i].p.z, 10.0f);
  }
  CameraVertex behind[3] = {{{0, 0, -5}}, {{0, 1, -2}}, {{1, 0, 0.5f}}};
  EXPECT_EQ(ClipPolygon(p, behind, 3, clip::kFront, out), 0);
  EXPECT_FALSE(Projection::For(0, 0, 100, 100, 0.0f, 1.0f, 10.0f).Valid());
  EXPECT_FALSE(Projection::For(0, 0, 100, 100, 0.5f, 1.0f, 1.0f).Valid());
}

}  // namespace
}  // namespace platform::rm

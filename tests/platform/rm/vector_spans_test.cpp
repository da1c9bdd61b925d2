// The vector span loops against the scalar ones: the same pixels and the
// same depths, bit for bit, over random backgrounds, depths, colours, steps,
// alphas and span lengths (longer than 256 pixels too), next to the
// scissor's edge too, on every path the processor has (AVX-512 too), and
// 8-bit ones through a palette; the lanes' test of a hidden span and their
// one-group draw against what drawing it does; and the row walk's range
// check in double lanes against the integer one.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <limits>
#include <random>
#include <tuple>
#include <utility>
#include <vector>

#include "platform/ref.h"
#include "platform/rm/raster/blend_span.h"
#include "platform/rm/raster/opaque_span.h"
#include "platform/rm/raster/opaque_span_avx512.h"
#include "platform/rm/raster/row_lanes.h"
#include "platform/surface/surface.h"

namespace platform::rm::raster {
namespace {

constexpr int kWidth = 320;

// A random row of pixels and depths, and a span over it as the rasterizer
// makes them.
struct RandomSpan {
  std::vector<std::uint8_t> color;
  std::vector<float> depth;
  int xs = 0, n = 0;
  SpanValues v{};
  unsigned alpha = 0;

  RandomSpan(std::mt19937& rng, int bpp, bool gouraud) {
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    color.resize(kWidth * bpp / 8 + 32);
    for (auto& byte : color) byte = static_cast<std::uint8_t>(pick(0, 255));
    // Depths straddle the span's own, so the test passes and fails within
    // one group of pixels, and sometimes on a whole group.
    depth.resize(kWidth + 16);
    const bool allBehind = pick(0, 9) == 0;
    for (float& z : depth) z = allBehind ? 2.0f : static_cast<float>(pick(0, 1000)) / 1000.0f;
    // Half the spans short, as small faces make them: their last pixels go
    // masked where eight fit before the scissor's right edge.
    xs = pick(0, kWidth - 12);
    n = pick(0, 1) ? pick(1, 11) : pick(1, kWidth - xs);
    v.z = static_cast<float>(pick(0, 1000)) / 1000.0f;
    v.dz = static_cast<float>(pick(-1000, 1000)) / 1.0e5f;
    // Colour steps that keep the span inside 0..255, as the rasterizer does.
    const std::pair<std::int32_t*, std::int32_t*> channels[] = {{&v.r, &v.dr}, {&v.g, &v.dg}, {&v.b, &v.db}};
    for (auto [at, step] : channels) {
      const std::int32_t start = pick(0, 255 << 16), end = gouraud ? pick(0, 255 << 16) : start;
      *at = start;
      *step = n > 1 ? (end - start) / (n - 1) : 0;
    }
    alpha = static_cast<unsigned>(pick(0, 255));
  }
};

template <int Bpp, bool Gouraud>
void ExpectVectorEqualsScalar(BlendPath path) {
  std::mt19937 rng(12);
  Target t;
  t.x1 = kWidth;  // the scissor ends with the row
  for (int trial = 0; trial < 2000; ++trial) {
    RandomSpan vector(rng, Bpp, Gouraud), scalar = vector;
    const int xe = vector.xs + vector.n, room = t.x1 - vector.xs;
    // What the lanes say of the span before it is drawn, and the span drawn
    // as one group where it is short enough (the row walk's two shortcuts).
    const bool oneGroup = vector.n <= 8 && room >= 8;
    bool hides = false;
    RandomSpan grouped = vector;
    const SpanValues& v = vector.v;
    auto withLanes = [&](const auto& lanes) {
      hides = lanes.Hides(vector.depth.data() + vector.xs, vector.n, v.z, room);
      if (oneGroup)
        lanes.DrawGroup(grouped.color.data() + Bpp / 8 * grouped.xs, grouped.depth.data() + grouped.xs, grouped.n, v.z,
                        _mm_setr_epi32(0, v.r, v.g, v.b));
    };
#if defined(ZARN_HAVE_AVX2_SPANS)
    if (path == BlendPath::kAvx512) withLanes(avx512::OpaqueLanes<Bpp, Gouraud>(v));
    if (path == BlendPath::kAvx2) withLanes(avx2::OpaqueLanes<Bpp, Gouraud>(v));
#endif
    if (path == BlendPath::kSse2) withLanes(sse2::OpaqueLanes<Bpp, Gouraud>(v));
    const std::vector<float> depthBefore = vector.depth;
    BlendSpanWith<Bpp, Gouraud>(path, t, vector.color.data(), vector.depth.data(), vector.xs, xe, vector.v,
                                vector.alpha);
    BlendSpanScalar<Bpp, Gouraud>(t, scalar.color.data(), scalar.depth.data(), scalar.xs, scalar.n, scalar.v,
                                  scalar.alpha);
    ASSERT_EQ(vector.color, scalar.color) << "blend, trial " << trial;
    if (path == BlendPath::kScalar) continue;
    int done = 0;
#if defined(ZARN_HAVE_AVX2_SPANS)
    if (path >= BlendPath::kAvx2) {
      auto draw = [&](const auto& lanes) {
        return lanes.Draw(vector.color.data() + Bpp / 8 * vector.xs, vector.depth.data() + vector.xs, vector.n, v.z,
                          _mm_setr_epi32(0, v.r, v.g, v.b), room);
      };
      const bool masks = path == BlendPath::kAvx512;
      done = masks ? draw(avx512::OpaqueLanes<Bpp, Gouraud>(v)) : draw(avx2::OpaqueLanes<Bpp, Gouraud>(v));
      if (masks) {
        ASSERT_EQ(done, vector.n) << "the masked lanes draw every pixel, trial " << trial;
      }
    }
#endif
    if (path == BlendPath::kSse2)
      OpaqueSpan<Bpp, Gouraud>(t, vector.color.data(), vector.depth.data(), vector.xs, xe, vector.v);
    else
      OpaqueSpanScalar<Bpp, Gouraud>(t, vector.color.data(), vector.depth.data(), vector.xs, vector.n, vector.v, done);
    OpaqueSpan<Bpp, Gouraud>(t, scalar.color.data(), scalar.depth.data(), scalar.xs, xe, scalar.v, false);
    ASSERT_EQ(vector.color, scalar.color) << "opaque, trial " << trial;
    ASSERT_EQ(vector.depth, scalar.depth) << "opaque, trial " << trial;
    if (oneGroup) {
      ASSERT_EQ(grouped.color, scalar.color) << "one group, trial " << trial;
      ASSERT_EQ(grouped.depth, scalar.depth) << "one group, trial " << trial;
    }
    // A span called hidden takes no pixel; one that takes none is called
    // hidden wherever its groups fit before the scissor's edge.
    const bool tookNone = scalar.depth == depthBefore;
    ASSERT_TRUE(!hides || tookNone) << "hidden, trial " << trial;
    if (room >= (vector.n + 7) / 8 * 8) {
      ASSERT_EQ(hides, tookNone) << "hidden, trial " << trial;
    }
  }
}

TEST(VectorSpans, EveryPathGivesTheScalarPixels) {
  for (BlendPath path : {BlendPath::kSse2, BlendPath::kAvx2, BlendPath::kAvx512}) {
    if (path > BestBlendPath()) continue;  // not on this processor
    SCOPED_TRACE(path == BlendPath::kSse2 ? "SSE2" : path == BlendPath::kAvx2 ? "AVX2" : "AVX-512");
    ExpectVectorEqualsScalar<16, false>(path);
    ExpectVectorEqualsScalar<16, true>(path);
    ExpectVectorEqualsScalar<24, false>(path);
    ExpectVectorEqualsScalar<24, true>(path);
  }
}

// 8-bit spans through a random palette: groups of eight in AVX2 where the
// processor has it, the last few pixels in the scalar loop, and flat
// blends read back from what they learned of each index, against the scalar
// loops alone. Flat spans come in a few colours and alphas, so that blends
// are found again, mixed with others and replaced.
template <bool Gouraud>
void ExpectPaletteSpansEqualScalar(BlendPath path) {
  std::mt19937 rng(8);
  std::array<surface::PaletteEntry, 256> entries;
  for (auto& e : entries)
    e = {static_cast<std::uint8_t>(rng()), static_cast<std::uint8_t>(rng()), static_cast<std::uint8_t>(rng()), 0};
  PaletteLut lut;
  lut.Update(*MakeRef<surface::Palette>(entries));
  Target t;
  t.x1 = kWidth;
  t.lut = &lut;
  for (int trial = 0; trial < 2000; ++trial) {
    RandomSpan vector(rng, 8, Gouraud);
    if (!Gouraud) {
      // Eight colours: each pair that differs in one channel only.
      const int colour = static_cast<int>(rng() % 8);
      vector.v.r = (colour & 1 ? 200 : 30) << 16;
      vector.v.g = (colour & 2 ? 200 : 30) << 16;
      vector.v.b = (colour & 4 ? 200 : 30) << 16;
      vector.alpha = rng() % 2 ? 96 : 200;
    }
    RandomSpan scalar = vector;
    const int xe = vector.xs + vector.n;
    BlendSpanWith<8, Gouraud>(path, t, vector.color.data(), vector.depth.data(), vector.xs, xe, vector.v, vector.alpha);
    BlendSpanScalar<8, Gouraud>(t, scalar.color.data(), scalar.depth.data(), scalar.xs, scalar.n, scalar.v,
                                scalar.alpha);
    ASSERT_EQ(vector.color, scalar.color) << "blend, trial " << trial;
    OpaqueSpan<8, Gouraud>(t, vector.color.data(), vector.depth.data(), vector.xs, xe, vector.v,
                           path != BlendPath::kScalar);
    OpaqueSpan<8, Gouraud>(t, scalar.color.data(), scalar.depth.data(), scalar.xs, xe, scalar.v, false);
    ASSERT_EQ(vector.color, scalar.color) << "opaque, trial " << trial;
    ASSERT_EQ(vector.depth, scalar.depth) << "opaque, trial " << trial;
  }
  if (Gouraud) return;
  // A colour blended again after the palette changed, over every pixel of
  // a span: what it learned of each index before no longer holds.
  RandomSpan first(rng, 8, false);
  std::fill(first.depth.begin(), first.depth.end(), -1.0f);
  RandomSpan again = first, scalar = first;
  BlendSpanWith<8, false>(path, t, first.color.data(), first.depth.data(), 0, kWidth, first.v, first.alpha);
  for (auto& e : entries) e.red = static_cast<std::uint8_t>(255 - e.red);
  lut.Update(*MakeRef<surface::Palette>(entries));
  BlendSpanWith<8, false>(path, t, again.color.data(), again.depth.data(), 0, kWidth, again.v, again.alpha);
  BlendSpanScalar<8, false>(t, scalar.color.data(), scalar.depth.data(), 0, kWidth, scalar.v, scalar.alpha);
  ASSERT_EQ(again.color, scalar.color) << "blend after a palette change";
}

TEST(VectorSpans, PaletteSpansGiveTheScalarPixels) {
  for (BlendPath path : {BlendPath::kScalar, BlendPath::kAvx2}) {
    if (path > BestBlendPath()) continue;  // not on this processor
    SCOPED_TRACE(path == BlendPath::kScalar ? "scalar" : "AVX2");
    ExpectPaletteSpansEqualScalar<false>(path);
    ExpectPaletteSpansEqualScalar<true>(path);
  }
}

#if defined(ZARN_HAVE_AVX2_SPANS)
// The AVX2 walks find a row's ends by rounding, and cut them to the scissor
// and find the first centre in lanes: the same pixels and offset as the
// plain walk, for coordinates as large as the walk's, on pixel centres too.
TEST(VectorSpans, TheAvx2RowEndsAreThePlainOnes) {
  if (BestBlendPath() < BlendPath::kAvx2) GTEST_SKIP() << "no AVX2 on this processor";
  std::mt19937 rng(3);
  std::uniform_real_distribution<float> any(-3.0e7f, 3.0e7f), near(-100.0f, 2100.0f);
  for (int trial = 0; trial < 100000; ++trial) {
    const float a = trial % 2 ? any(rng) : static_cast<float>(static_cast<int>(rng() % 4001) - 2000) * 0.25f;
    const float b = trial % 3 ? -a : -0.0f;
    const int left = static_cast<int>(rng() % 64), right = left + 1 + static_cast<int>(rng() % 2000);
    const float x0 = trial % 5 ? near(rng) : a;
    int xs, xe, plainXs, plainXe;
    const float fx = Lane0(avx2::RowEnds(left, right, x0)(QuadOf(a, b, 0, 0), xs, xe));
    const float plainFx = Lane0(RowEnds(left, right, x0)(QuadOf(a, b, 0, 0), plainXs, plainXe));
    ASSERT_EQ(std::tuple(xs, xe, fx), std::tuple(plainXs, plainXe, plainFx)) << a << " " << b << " " << x0;
  }
}
#endif

#if defined(__SSE2__)
TEST(VectorSpans, TheStepRangeCheckIsTheIntegerOne) {
  std::mt19937 rng(7);
  // Starts in range, at its top, from a NaN (-2^31) or anywhere; steps
  // small, near the limits or anywhere; spans short and long.
  auto value = [&] {
    switch (rng() % 4) {
      case 0: return static_cast<std::int32_t>(rng() % (256 << 16));
      case 1: return (255 << 16) - static_cast<std::int32_t>(rng() % 4);
      case 2: return std::numeric_limits<std::int32_t>::min();
      default: return static_cast<std::int32_t>(rng());
    }
  };
  auto inRange = [](std::int32_t start, std::int32_t step, int n) {
    const std::int64_t end = start + std::int64_t{step} * (n - 1);
    return end >= 0 && end <= (255 << 16);
  };
  for (int trial = 0; trial < 200000; ++trial) {
    const std::int32_t r = value(), g = value(), b = value(), dr = value(), dg = value(), db = value();
    const int n = 1 + static_cast<int>(rng() % 2 ? rng() % 9 : rng() % 4096);
    const bool keeps = inRange(r, dr, n) && inRange(g, dg, n) && inRange(b, db, n);
    const __m128i rgb = _mm_setr_epi32(0, r, g, b);
    ASSERT_EQ(StepRange(dr, dg, db).Keeps(rgb, n), keeps)
        << r << " " << g << " " << b << " " << dr << " " << dg << " " << db << " " << n;
#if defined(ZARN_HAVE_AVX2_SPANS)
    if (BestBlendPath() >= BlendPath::kAvx2) {
      ASSERT_EQ(avx2::StepRange(dr, dg, db).Keeps(rgb, n), keeps) << "AVX2, trial " << trial;
    }
#endif
  }
}
#endif

}  // namespace
}  // namespace platform::rm::raster

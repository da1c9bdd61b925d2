// The vector translucent spans against the scalar one: the same pixels, bit
// for bit, over random backgrounds, depths, colours, steps and alphas.
#include <gtest/gtest.h>

#include <random>
#include <utility>
#include <vector>

#include "platform/rm/raster/blend_span.h"

namespace platform::rm::raster {
namespace {

template <int Bpp, bool Gouraud>
void ExpectVectorEqualsScalar(BlendPath path) {
  std::mt19937 rng(12);
  auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  constexpr int kWidth = 64;
  for (int trial = 0; trial < 2000; ++trial) {
    std::vector<std::uint8_t> vector(kWidth * Bpp / 8 + 32), scalar;
    for (auto& byte : vector) byte = static_cast<std::uint8_t>(pick(0, 255));
    scalar = vector;
    // Depths straddle the span's own, so the test passes and fails within
    // one group of pixels, and sometimes on a whole group.
    std::vector<float> depth(kWidth + 4);
    const bool allBehind = pick(0, 9) == 0;
    for (float& z : depth) z = allBehind ? 2.0f : static_cast<float>(pick(0, 1000)) / 1000.0f;
    const int xs = pick(0, 20), n = pick(1, kWidth - xs);
    SpanValues v{};
    v.z = static_cast<float>(pick(0, 1000)) / 1000.0f;
    v.dz = static_cast<float>(pick(-1000, 1000)) / 1.0e5f;
    // Colour steps that keep the span inside 0..255, as the rasterizer does.
    const std::pair<std::int32_t*, std::int32_t*> channels[] = {{&v.r, &v.dr}, {&v.g, &v.dg}, {&v.b, &v.db}};
    for (auto [at, step] : channels) {
      const std::int32_t start = pick(0, 255 << 16), end = Gouraud ? pick(0, 255 << 16) : start;
      *at = start;
      *step = n > 1 ? (end - start) / (n - 1) : 0;
    }
    const unsigned alpha = static_cast<unsigned>(pick(0, 255));
    Target t;
    BlendSpanWith<Bpp, Gouraud>(path, t, vector.data(), depth.data(), xs, xs + n, v, alpha);
    BlendSpanScalar<Bpp, Gouraud>(t, scalar.data(), depth.data(), xs, n, v, alpha);
    ASSERT_EQ(vector, scalar) << "trial " << trial << ", " << n << " pixels from " << xs;
  }
}

TEST(BlendSpan, VectorPathsGiveTheScalarPixels) {
  for (BlendPath path : {BlendPath::kSse2, BlendPath::kAvx2}) {
    if (path == BlendPath::kAvx2 && BestBlendPath() != BlendPath::kAvx2) continue;  // not on this processor
    SCOPED_TRACE(path == BlendPath::kSse2 ? "SSE2" : "AVX2");
    ExpectVectorEqualsScalar<16, false>(path);
    ExpectVectorEqualsScalar<16, true>(path);
    ExpectVectorEqualsScalar<24, false>(path);
    ExpectVectorEqualsScalar<24, true>(path);
  }
}

}  // namespace
}  // namespace platform::rm::raster

#include <gtest/gtest.h>

#include <tuple>

#include "platform/surface/surface.h"
#include "support/succeeds.h"
#include "surface_test_util.h"

namespace {

using namespace surface_test;
using platform::MakeRef;
using platform::Ref;

// A 4 x 3 source: a key-coloured frame around two inner pixels 1 and 2.
Ref<Surface> FramedSource(int bits, std::uint32_t key) {
  auto s = MakeRef<Surface>(4, 3, bits, caps::kOffscreenPlain);
  Fill(*s, key);
  Put(*s, 1, 1, 1);
  Put(*s, 2, 1, 2);
  return s;
}

class KeyedBltFast : public ::testing::TestWithParam<int> {};

TEST_P(KeyedBltFast, WhiteKeyIsAllBitsSetAndBlackKeyIsZero) {
  const int bits = GetParam();
  for (bool white : {true, false}) {
    auto dst = MakeRef<Surface>(8, 8, bits, caps::kOffscreenPlain);
    Fill(*dst, 7);
    const std::uint32_t keyPixel = white ? White(*dst) : 0;
    auto src = FramedSource(bits, keyPixel);
    // The overlay names white as 0xFFFFFF whatever the depth.
    ColorKey key{white ? 0xFFFFFFu : 0u, 0};
    ASSERT_EQ(src->SetColorKey(color_key_flags::kSourceBlt, &key), DD_OK);

    ASSERT_EQ(dst->BltFast(2, 3, src.get(), nullptr, blt_fast_flags::kSourceColorKey | blt_fast_flags::kWait), DD_OK);
    for (auto [x, y, v] : {std::tuple{2, 3, 7u}, {3, 4, 1u}, {4, 4, 2u}, {5, 5, 7u}})
      EXPECT_EQ(Get(*dst, x, y), v) << x << "," << y;
    // Without the flag the whole cell is copied, key colour included.
    ASSERT_EQ(dst->BltFast(2, 3, src.get(), nullptr, blt_fast_flags::kWait), DD_OK);
    EXPECT_EQ(Get(*dst, 2, 3), keyPixel);
  }
}

INSTANTIATE_TEST_SUITE_P(Depths, KeyedBltFast, ::testing::Values(8, 16, 24));

TEST(BltFast, RefusesRectanglesReachingOutsideAndDrawsNothing) {
  auto dst = MakeRef<Surface>(20, 10, 16, caps::kOffscreenPlain);
  auto src = MakeRef<Surface>(30, 15, 16, caps::kOffscreenPlain);
  Fill(*src, 0x1234);
  const Rect glyph{0, 0, 11, 15};
  EXPECT_EQ(dst->BltFast(10, 0, src.get(), &glyph, 0), DDERR_INVALIDRECT);  // right edge
  EXPECT_EQ(dst->BltFast(-1, 0, src.get(), &glyph, 0), DDERR_INVALIDRECT);
  const Rect small{0, 0, 5, 5};
  EXPECT_EQ(dst->BltFast(0, 6, src.get(), &small, 0), DDERR_INVALIDRECT);  // bottom edge
  EXPECT_EQ(dst->BltFast(2147483647, 0, src.get(), &small, 0), DDERR_INVALIDRECT);
  const Rect outsideSource{25, 0, 35, 5};
  EXPECT_EQ(dst->BltFast(0, 0, src.get(), &outsideSource, 0), DDERR_INVALIDRECT);
  const Rect inverted{5, 5, 0, 0};
  EXPECT_EQ(dst->BltFast(0, 0, src.get(), &inverted, 0), DDERR_INVALIDRECT);
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 20; ++x) ASSERT_EQ(Get(*dst, x, y), 0u);
  // Exactly touching the far edges is inside.
  EXPECT_EQ(dst->BltFast(15, 5, src.get(), &small, 0), DD_OK);
  EXPECT_EQ(Get(*dst, 19, 9), 0x1234u);
}

TEST(Blt, StretchesByNearestPixel) {
  auto src = MakeRef<Surface>(2, 2, 24, 0);
  for (int i = 0; i < 4; ++i) Put(*src, i % 2, i / 2, 0x110000u * (i + 1));
  auto dst = MakeRef<Surface>(6, 6, 24, 0);
  const Rect to{1, 1, 5, 5};
  ASSERT_EQ(dst->Blt(&to, src.get(), nullptr, blt_flags::kWait), DD_OK);
  for (auto [x, y, v] : {std::tuple{0, 0, 0u},
                         {1, 1, 0x110000u},
                         {2, 2, 0x110000u},
                         {3, 2, 0x220000u},
                         {2, 3, 0x330000u},
                         {4, 4, 0x440000u},
                         {5, 5, 0u}})
    EXPECT_EQ(Get(*dst, x, y), v) << x << "," << y;
  // Shrinking 6 -> 3 takes every second pixel, from the middle of each pair.
  auto row = MakeRef<Surface>(6, 1, 8, 0);
  for (int x = 0; x < 6; ++x) Put(*row, x, 0, 10 + x);
  auto small = MakeRef<Surface>(3, 1, 8, 0);
  ASSERT_EQ(small->Blt(nullptr, row.get(), nullptr, 0), DD_OK);
  for (int x = 0; x < 3; ++x) EXPECT_EQ(Get(*small, x, 0), 11u + 2 * x);
}

// Every column of shrinking, growing and same-size copies, keyed by a range
// or not, at each depth, against the rule: the source pixel under the
// destination pixel's centre, unless its value is in the key's range.
TEST(Blt, StretchedColumnsFollowTheCentreRuleAtEveryRatio) {
  for (int bits : {8, 16, 24}) {
    auto src = MakeRef<Surface>(16, 2, bits, 0);
    for (int x = 0; x < 16; ++x) Put(*src, x, 0, 20u + static_cast<std::uint32_t>(x));
    ColorKey key{24, 26};  // source columns 4 to 6 are not copied
    EXPECT_OK(src->SetColorKey(color_key_flags::kSourceBlt | color_key_flags::kColorSpace, &key));
    for (auto [from, width] :
         {std::pair{16, 1}, {16, 5}, {16, 8}, {16, 15}, {16, 16}, {16, 24}, {16, 40}, {16, 123}, {13, 13}, {7, 7}}) {
      for (bool keyed : {false, true}) {
        auto dst = MakeRef<Surface>(130, 1, bits, 0);
        Fill(*dst, 7);
        const Rect to{3, 0, 3 + width, 1}, part{0, 0, from, 1};
        ASSERT_EQ(dst->Blt(&to, src.get(), &part, keyed ? blt_flags::kSourceColorKey : 0), DD_OK);
        for (int x = -3; x < 127; ++x) {
          const auto column = static_cast<std::uint32_t>((x + 0.5) * from / width);
          const bool inside = x >= 0 && x < width, hidden = keyed && column >= 4 && column <= 6;
          const std::uint32_t want = inside && !hidden ? 20u + column : 7u;
          ASSERT_EQ(Get(*dst, 3 + x, 0), want) << bits << " bits, " << from << " -> " << width << ", column " << x;
        }
      }
    }
  }
}

TEST(Blt, KeysFillsAndRefusesDestinationsOutsideWithoutAClipper) {
  auto src = FramedSource(16, 0xFFFF);
  ColorKey white{0xFFFFFF, 0};
  EXPECT_OK(src->SetColorKey(color_key_flags::kSourceBlt, &white));
  auto dst = MakeRef<Surface>(8, 6, 16, 0);
  BltEffects fill;
  fill.fillColor = 0x0F0F;
  ASSERT_EQ(dst->Blt(nullptr, nullptr, nullptr, blt_flags::kColorFill, &fill), DD_OK);
  const Rect doubled{0, 0, 8, 6};
  ASSERT_EQ(dst->Blt(&doubled, src.get(), nullptr, blt_flags::kSourceColorKey), DD_OK);
  for (auto [x, y, v] : {std::tuple{0, 0, 0x0F0Fu}, {2, 2, 1u}, {5, 3, 2u}}) EXPECT_EQ(Get(*dst, x, y), v);

  const Rect partly{4, 4, 10, 10};
  EXPECT_EQ(dst->Blt(&partly, src.get(), nullptr, 0), DDERR_INVALIDRECT);
  EXPECT_EQ(Get(*dst, 7, 5), 0x0F0Fu);
  EXPECT_EQ(dst->Blt(nullptr, nullptr, nullptr, blt_flags::kColorFill, nullptr), DDERR_INVALIDPARAMS);
}

TEST(Blt, ClipperCutsTheDestinationToTheWindowAndScalesTheCut) {
  auto* window = MakeWindow();
  ASSERT_NE(window, nullptr);
  const auto origin = platform::os::ClientToScreen(window, {0, 0});
  const auto client = platform::os::GetClientRect(window);
  auto screen = MakeRef<Surface>(origin.x + client.Width() + 50, origin.y + client.Height() + 50, 8, 0);
  auto clipper = MakeRef<Clipper>();
  ASSERT_EQ(clipper->SetHWnd(0, window), DD_OK);
  ASSERT_EQ(screen->SetClipper(clipper), DD_OK);
  // Twice as wide as its destination, cut 10 pixels on the left: 20 source pixels go.
  auto src = MakeRef<Surface>(60, 1, 8, 0);
  for (int x = 0; x < 60; ++x) Put(*src, x, 0, x);
  const Rect to{origin.x - 10, origin.y, origin.x + 20, origin.y + 1};
  ASSERT_EQ(screen->Blt(&to, src.get(), nullptr, blt_flags::kWait), DD_OK);
  EXPECT_EQ(Get(*screen, origin.x - 1, origin.y), 0u);
  EXPECT_EQ(Get(*screen, origin.x, origin.y), 21u);
  EXPECT_EQ(Get(*screen, origin.x + 19, origin.y), 59u);

  EXPECT_EQ(screen->BltFast(origin.x, origin.y, src.get(), nullptr, 0), DDERR_BLTFASTCANTCLIP);
  // Wholly outside the window: nothing to do, no error.
  const Rect away{0, 0, 5, 1};
  if (origin.x >= 5 || origin.y >= 1) {
    EXPECT_EQ(screen->Blt(&away, src.get(), nullptr, 0), DD_OK);
  }
  auto noWindow = MakeRef<Clipper>();
  EXPECT_OK(screen->SetClipper(noWindow));
  EXPECT_EQ(screen->Blt(&to, src.get(), nullptr, 0), DDERR_NOCLIPLIST);
}

}  // namespace

#include "platform/surface/device_context.h"

#include <gtest/gtest.h>

#include "platform/surface/system_palette.h"
#include "support/succeeds.h"
#include "surface_test_util.h"

namespace {

using namespace surface_test;
using platform::MakeRef;
using platform::Ref;

TEST(DeviceContext, GreenFillLandsInEachDepthsOwnFormat) {
  for (auto [bits, expected] : {std::pair{8, std::uint32_t(system_colour::kGreen)},
                                {16, std::uint32_t(PackRgb565(0, 200, 0))},
                                {24, 0x00C800u}}) {
    auto s = MakeRef<Surface>(6, 4, bits, 0);
    DeviceContext dc;
    ASSERT_EQ(s->GetDC(&dc), DD_OK);
    // A rectangle larger than the surface fills all of it and no more.
    ASSERT_EQ(dc.FillRect({0, 0, 800, 600}, 0, 200, 0), DD_OK);
    EXPECT_EQ(Get(*s, 0, 0), expected) << bits;
    EXPECT_EQ(Get(*s, 5, 3), expected) << bits;
    ASSERT_EQ(s->ReleaseDC(&dc), DD_OK);
  }
}

TEST(DeviceContext, EightBitFillUsesTheSurfacesPalette) {
  auto entries = SystemPaletteEntries();
  entries[42] = {0, 200, 0, 0};
  auto s = MakeRef<Surface>(2, 2, 8, 0);
  EXPECT_OK(s->SetPalette(MakeRef<Palette>(entries)));
  DeviceContext dc;
  ASSERT_EQ(s->GetDC(&dc), DD_OK);
  EXPECT_OK(dc.FillRect({1, 1, 2, 2}, 0, 200, 0));
  EXPECT_EQ(Get(*s, 1, 1), 42u);
  EXPECT_EQ(Get(*s, 0, 0), 0u);
  EXPECT_OK(s->ReleaseDC(&dc));
}

// A 3 x 2 bitmap with a four-colour table; index 9 lies past the table.
struct SmallBitmap {
  PaletteEntry colours[4] = {{0, 0, 0, 0}, {255, 0, 0, 0}, {50, 50, 255, 0}, {255, 255, 255, 0}};
  std::uint8_t indices[8] = {1, 2, 3, 0xEE,  // a padded row: stride 4
                             9, 0, 1, 0xEE};
  IndexedBitmapView View() const { return {3, 2, indices, 4, colours, 4}; }
};

TEST(DeviceContext, EightBitSurfacesTakeTheIndicesAndTheAreaClips) {
  SmallBitmap bmp;
  auto s = MakeRef<Surface>(2, 8, 8, 0);
  DeviceContext dc;
  ASSERT_EQ(s->GetDC(&dc), DD_OK);
  ASSERT_EQ(dc.DrawIndexedBitmap(bmp.View(), {0, 1, 256, 256}), DD_OK);
  EXPECT_EQ(Get(*s, 0, 0), 0u);  // outside the area
  EXPECT_EQ(Get(*s, 0, 1), 9u);  // unchanged, even past the table
  EXPECT_EQ(Get(*s, 1, 1), 0u);

  for (auto spoil : {+[](IndexedBitmapView& v) { v.stride = 2; }, +[](IndexedBitmapView& v) { v.colourCount = 300; },
                     +[](IndexedBitmapView& v) { v.indices = nullptr; }}) {
    IndexedBitmapView bad = bmp.View();
    spoil(bad);
    EXPECT_EQ(dc.DrawIndexedBitmap(bad, {0, 0, 2, 2}), DDERR_INVALIDPARAMS);
  }
  EXPECT_OK(s->ReleaseDC(&dc));
}

TEST(DeviceContext, DrawsEightBitImagesOfTheBmpReader) {
  platform::os::BmpImage image;
  image.width = 2;
  image.height = 1;
  image.bitsPerPixel = 8;
  image.palette = {{0, 0, 0}, {0, 255, 255}};
  image.pixels = {1, 0};
  auto s = MakeRef<Surface>(2, 1, 24, 0);
  DeviceContext dc;
  ASSERT_EQ(s->GetDC(&dc), DD_OK);
  ASSERT_EQ(dc.DrawBitmap(image, {0, 0, 2, 1}), DD_OK);
  EXPECT_EQ(Get(*s, 0, 0), 0x00FFFFu);
  image.pixels.pop_back();  // fewer pixels than the size claims
  EXPECT_EQ(dc.DrawBitmap(image, {0, 0, 2, 1}), DDERR_INVALIDPARAMS);
  image.bitsPerPixel = 24;
  EXPECT_EQ(dc.DrawBitmap(image, {0, 0, 2, 1}), DDERR_UNSUPPORTEDFORMAT);
  EXPECT_OK(s->ReleaseDC(&dc));
}

}  // namespace

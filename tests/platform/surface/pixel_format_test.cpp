#include "platform/surface/pixel_format.h"

#include <gtest/gtest.h>

#include "platform/surface/ddraw_result.h"
#include "platform/surface/system_palette.h"

namespace platform::surface {
namespace {

TEST(PixelFormat, TwentyFourBitPixelsAreStoredBlueFirst) {
  std::uint8_t p[3];
  StoreRgb888(p, PackRgb888(0x12, 0x34, 0x56));
  EXPECT_EQ(p[0], 0x56);
  EXPECT_EQ(p[2], 0x12);
  EXPECT_EQ(LoadRgb888(p), 0x123456u);
  EXPECT_EQ(LoadPixel(p, 3), 0x123456u);
}

TEST(PixelFormat, KeysAndFillsAreMaskedToTheDepth) {
  for (auto [bits, mask] : {std::pair{8, 255u}, {16, 0xFFFFu}, {24, 0xFFFFFFu}})
    EXPECT_EQ(0xFFFFFFu & PixelMask(bits), mask) << bits;
}

TEST(NearestPalette, TableAgreesWithTheSearchAndFollowsPaletteChanges) {
  auto entries = SystemPaletteEntries();
  // A grey ramp in the device's part of the palette.
  for (int i = 10; i < 246; ++i) {
    auto v = static_cast<std::uint8_t>((i - 10) * 255 / 235);
    entries[i] = {v, v, v, 1};
  }
  Palette palette(entries);
  NearestPaletteTable table;
  EXPECT_TRUE(table.Update(palette));
  EXPECT_FALSE(table.Update(palette));  // nothing changed: no rebuild
  for (unsigned c : {0x000000u, 0x808080u, 0x2040F8u, 0xF8F800u, 0x18C818u}) {
    unsigned r = (c >> 16) | 4, g = ((c >> 8) & 0xFF) | 4, b = (c & 0xFF) | 4;
    EXPECT_EQ(table.Index(r, g, b), NearestPaletteIndex(entries, r, g, b)) << std::hex << c;
  }
  EXPECT_EQ(table.Index(255, 0, 0), system_colour::kRed);
  entries[100] = {255, 0, 0, 1};  // of equal entries the lowest wins
  palette.SetEntries(entries);
  EXPECT_TRUE(table.Update(palette));
  EXPECT_EQ(table.Index(255, 0, 0), 100);
}

}  // namespace
}  // namespace platform::surface

#include "platform/surface/present.h"

#include <gtest/gtest.h>

#include "platform/surface/system_palette.h"
#include "surface_test_util.h"

namespace {

using namespace surface_test;
namespace os = platform::os;

TEST(ConvertToPicture, EachDepthBecomesRgb) {
  Surface s8(2, 1, 8, 0), s16(2, 1, 16, 0), s24(2, 1, 24, 0);
  Put(s8, 0, 0, system_colour::kYellow);
  Put(s8, 1, 0, 20);
  Put(s16, 0, 0, PackRgb565(255, 255, 255));
  Put(s16, 1, 0, PackRgb565(0, 0, 255));
  Put(s24, 0, 0, 0x102030);
  os::Picture picture;

  ASSERT_TRUE(ConvertToPicture(s8, {0, 0, 2, 1}, nullptr, &picture));  // the system palette
  EXPECT_EQ(picture.pixels[0], 0xFFFF00u);
  EXPECT_EQ(picture.pixels[1], 0u);
  auto entries = SystemPaletteEntries();
  entries[20] = {1, 2, 3, 0};
  ASSERT_TRUE(ConvertToPicture(s8, {0, 0, 2, 1}, &entries, &picture));
  EXPECT_EQ(picture.pixels[1], 0x010203u);

  ASSERT_TRUE(ConvertToPicture(s16, {0, 0, 2, 1}, nullptr, &picture));
  EXPECT_EQ(picture.pixels, (std::vector<std::uint32_t>{0xFFFFFFu, 0x0000FFu}));
  ASSERT_TRUE(ConvertToPicture(s24, {0, 0, 2, 1}, nullptr, &picture));
  EXPECT_EQ(picture.pixels[0], 0x102030u);
}

}  // namespace

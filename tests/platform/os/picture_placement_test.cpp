#include "platform/os/picture_placement.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>

namespace platform::os {
namespace {

std::array<int, 4> Fit(int w, int h, int ow, int oh) {
  Rect r = FitCentred(w, h, ow, oh);
  return {r.left, r.top, r.right, r.bottom};
}

// The sizes that went wrong on real desktops, and the edges round them.
TEST(PicturePlacement, FitsWholeCentredAndNeverCropped) {
  EXPECT_EQ(Fit(800, 600, 1280, 1024), (std::array{0, 32, 1280, 992}));    // full screen, 5:4 screen
  EXPECT_EQ(Fit(800, 600, 1920, 1080), (std::array{240, 0, 1680, 1080}));  // full screen, 16:9 screen
  EXPECT_EQ(Fit(800, 600, 1600, 1200), (std::array{0, 0, 1600, 1200}));    // HiDPI at twice the scale
  EXPECT_EQ(Fit(1280, 720, 1024, 768), (std::array{0, 96, 1024, 672}));    // a wide mode on a 4:3 screen
  EXPECT_EQ(Fit(800, 600, 801, 599), (std::array{1, 0, 799, 599}));        // odd sizes: bars split evenly
  EXPECT_EQ(Fit(800, 600, 0, 600), (std::array{0, 0, 0, 0}));
  for (int w : {1, 333, 799, 1281, 2560})
    for (int h : {1, 251, 601, 1023, 1600}) {
      Rect r = FitCentred(800, 600, w, h);
      EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.right <= w && r.bottom <= h) << w << "x" << h;
      EXPECT_LE(std::abs(r.left - (w - r.right)) + std::abs(r.top - (h - r.bottom)), 2) << w << "x" << h;
      EXPECT_TRUE(r.Width() == w || r.Height() == h) << "fills one side: " << w << "x" << h;
    }
}

}  // namespace
}  // namespace platform::os

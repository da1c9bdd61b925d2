#include "platform/os/picture_placement.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace platform::os {
namespace {

void ExpectRect(const Rect& r, int left, int top, int right, int bottom) {
  EXPECT_EQ(r.left, left);
  EXPECT_EQ(r.top, top);
  EXPECT_EQ(r.right, right);
  EXPECT_EQ(r.bottom, bottom);
}

// The sizes that went wrong on real desktops, and the edges round them.
TEST(PicturePlacement, FitsWholeCentredAndNeverCropped) {
  ExpectRect(FitCentred(800, 600, 1280, 1024), 0, 32, 1280, 992);     // full screen, 5:4 screen
  ExpectRect(FitCentred(800, 600, 1920, 1080), 240, 0, 1680, 1080);   // full screen, 16:9 screen
  ExpectRect(FitCentred(800, 600, 1600, 1200), 0, 0, 1600, 1200);     // HiDPI at twice the scale
  ExpectRect(FitCentred(1280, 720, 1024, 768), 0, 96, 1024, 672);     // a wide mode on a 4:3 screen
  ExpectRect(FitCentred(800, 600, 801, 599), 1, 0, 799, 599);         // odd sizes: bars split evenly
  ExpectRect(FitCentred(800, 600, 1, 1), 0, 0, 1, 0);                 // shrunk to nothing
  for (int w : {1, 333, 799, 1281, 2560})
    for (int h : {1, 251, 601, 1023, 1600}) {
      Rect r = FitCentred(800, 600, w, h);
      EXPECT_GE(r.left, 0);
      EXPECT_GE(r.top, 0);
      EXPECT_LE(r.right, w);
      EXPECT_LE(r.bottom, h);
      EXPECT_LE(std::abs((r.left) - (w - r.right)), 1) << w << "x" << h;
      EXPECT_LE(std::abs((r.top) - (h - r.bottom)), 1) << w << "x" << h;
      EXPECT_TRUE(r.Width() == w || r.Height() == h) << "fills one side: " << w << "x" << h;
    }
  ExpectRect(FitCentred(800, 600, 0, 600), 0, 0, 0, 0);
}

}  // namespace
}  // namespace platform::os

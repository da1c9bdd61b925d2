#include "overlay/clock.h"
#include "overlay_screen.h"

namespace overlay_test {
namespace {

using overlay::DrawFontText;
class Font : public OverlayScreen {};

TEST_F(Font, StartPointScalesWhileGlyphsKeepSizeAndAdvance) {
  StartUp(k800x600x24);
  DrawFontText(4, 5, 540, "AB", 2);
  EXPECT_TRUE(TextAt(4, 5, 540, "AB"));
  EXPECT_TRUE(Untouched(0, 530, 5, 560));
  TearDown();
  StartUp(k1600x900x24);
  DrawFontText(4, 5, 540, "AB", 2);
  EXPECT_TRUE(TextAt(4, 10, 810, "AB"));
  EXPECT_TRUE(Untouched(0, 800, 10, 830));
  DrawFontText(2, 7, 7, "z", 1);  // 1600*7/800 = 14, 900*7/600 = 10.5 -> 10
  EXPECT_TRUE(TextAt(2, 14, 10, "z"));
}

TEST_F(Font, NoGlyphMeansAnEmptyCellAndBadArgumentsDrawNothing) {
  StartUp();
  DrawFontText(4, 250, 340, "Arm/Body", 8);
  EXPECT_TRUE(TextAt(4, 250, 340, "Arm Body"));
  EXPECT_TRUE(Untouched(281, 340, 290, 355));
  DrawFontText(3, 100, 100, "a\x81\x40z", 4);  // a double-byte blank: two cells
  EXPECT_TRUE(TextAt(3, 100, 100, "a  z"));
  DrawFontText(4, 10, 10, "AB", 50);  // stops at the terminator
  EXPECT_TRUE(Untouched(31, 10, 60, 25));
  DrawFontText(4, 795, 590, "A", 1);  // partly outside: refused
  DrawFontText(9, 100, 200, "A", 1);
  DrawFontText(4, 100, 200, nullptr, 5);
  EXPECT_TRUE(Untouched(100, 200, 112, 215));
  EXPECT_TRUE(Untouched(790, 585, 800, 600));
}

TEST_F(Font, OnBlackMakesOneContinuousBarBlanksIncluded) {
  StartUp();
  const char prompt[] = "[P U S H  S P A C E]";
  overlay::DrawFontTextOnBlack(5, 302, 360, prompt, 20);
  EXPECT_TRUE(TextAt(5, 302, 360, prompt));
  for (int y = 360; y < 375; ++y)
    for (int x = 302; x < 503; ++x) ASSERT_TRUE(BackPixel(x, y) == 0 || BackPixel(x, y) == kInk[5]) << x;
  ClearBack();
  DrawFontText(5, 302, 360, prompt, 20);
  EXPECT_TRUE(Untouched(323, 360, 332, 375)) << "keyed, the blank shows the scene";
}

TEST_F(Font, EightBitModeKeysIndexZeroAndKeepsTheSceneColours) {
  StartUp(1);  // 800x600x8
  surface::Surface& back = *vexel::vexelContext.backBuffer;
  ASSERT_NE(overlay::OverlayPalette(), nullptr);
  EXPECT_EQ(back.GetPalette(), overlay::OverlayPalette()) << "the last bitmap's table is attached";
  surface::BltEffects fill{100};
  back.Blt(nullptr, nullptr, nullptr, surface::blt_flags::kColorFill, &fill);
  DrawFontText(4, 40, 40, "W", 1);
  int white = 0;
  for (int y = 40; y < 55; ++y)
    for (int x = 40; x < 51; ++x) {
      white += back.Row(y)[x] == 255;
      ASSERT_TRUE(back.Row(y)[x] == 255 || back.Row(y)[x] == 100);
    }
  EXPECT_GT(white, 10);
}

TEST_F(Font, TextComesBackAfterTheDisplayWasTakenAway) {
  StartUp();
  surface::DirectDraw& ddraw = *vexel::vexelContext.ddraw;
  ddraw.SetAppActive(false);
  ddraw.SetAppActive(true);
  vexel::vexelContext.primary->Restore();  // the back buffer comes back with its chain
  ClearBack();
  DrawFontText(4, 100, 100, "Ok", 2);
  EXPECT_TRUE(TextAt(4, 100, 100, "Ok"));
}

TEST_F(Font, ClockTextAndColour) {
  const std::tuple<int, const char*, int> cases[] = {{59, "00:59", 4},  {60, "01:00", 4},  {299, "04:59", 4},
                                                     {300, "05:00", 3}, {600, "10:00", 5}, {725, "12:05", 5},
                                                     {6000, "10:00", 5}};
  for (auto [seconds, text, row] : cases) {
    EXPECT_EQ(overlay::ClockText(seconds), text);
    EXPECT_EQ(overlay::ClockRow(seconds), row) << seconds;
  }
  StartUp(k1600x900x24);
  game::gameState.elapsedSeconds = 300;
  overlay::DrawClock();
  EXPECT_TRUE(TextAt(2, 56, 804, "Time"));
  EXPECT_TRUE(TextAt(3, 56, 841, "05:00"));
}

}  // namespace
}  // namespace overlay_test

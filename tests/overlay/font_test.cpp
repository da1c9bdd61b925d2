#include <string>

#include "overlay/clock.h"
#include "overlay_screen.h"

namespace overlay_test {

namespace {

using overlay::DrawFontText;
using overlay::DrawFontTextOnBlack;

class Font : public OverlayScreen {};

TEST_F(Font, VirtualPointsScaleButGlyphsKeepTheirSizeAndAdvance) {
  StartUp(k800x600x24);
  DrawFontText(4, 5, 540, "ABC", 3);
  EXPECT_TRUE(TextAt(4, 5, 540, "ABC"));
  EXPECT_TRUE(Untouched(0, 530, 5, 560)) << "nothing left of the start point";
  TearDown();

  StartUp(k1600x900x24);
  DrawFontText(4, 5, 540, "ABC", 3);
  EXPECT_TRUE(TextAt(4, 10, 810, "ABC")) << "start scaled, cells 11 x 15, 10 pixels apart";
  EXPECT_TRUE(Untouched(0, 800, 10, 830));
  // Odd positions truncate: 1600 * 7 / 800 = 14, 900 * 7 / 600 = 10.5.
  DrawFontText(2, 7, 7, "z", 1);
  EXPECT_TRUE(TextAt(2, 14, 10, "z"));
}

TEST_F(Font, CharactersWithoutGlyphLeaveAnEmptyCell) {
  StartUp();
  DrawFontText(4, 250, 340, "Arm/Body", 8);
  EXPECT_TRUE(TextAt(4, 250, 340, "Arm Body"));
  EXPECT_TRUE(Untouched(281, 340, 290, 355)) << "the slash draws nothing at all";
  // A double-byte character is two empty cells, and the pen moves on.
  const char wide[] = "a\x81\x40z";
  DrawFontText(3, 100, 100, wide, 4);
  EXPECT_TRUE(TextAt(3, 100, 100, "a  z"));
}

TEST_F(Font, OnBlackGivesOneContinuousBarBlanksIncluded) {
  StartUp();
  const std::string prompt = "[P U S H  S P A C E]";
  DrawFontTextOnBlack(5, 302, 360, prompt.c_str(), static_cast<int>(prompt.size()));
  EXPECT_TRUE(TextAt(5, 302, 360, prompt));
  const int right = 302 + 10 * static_cast<int>(prompt.size()) + 1;
  for (int y = 360; y < 375; ++y)
    for (int x = 302; x < right; ++x) {
      const std::uint32_t p = BackPixel(x, y);
      ASSERT_TRUE(p == 0 || p == kRowColour[5]) << x << "," << y;
    }
  EXPECT_TRUE(Untouched(right, 360, right + 5, 375));

  // Without the box the blanks show the scene through.
  ClearBack();
  DrawFontText(5, 302, 360, prompt.c_str(), static_cast<int>(prompt.size()));
  EXPECT_TRUE(Untouched(323, 360, 332, 375)) << "the blank after 'P'";
}

TEST_F(Font, TextNeverReadsPastItsEndNorDrawsOutsideTheBackBuffer) {
  StartUp();
  DrawFontText(4, 10, 10, "AB", 50);  // a count larger than the text
  EXPECT_TRUE(TextAt(4, 10, 10, "AB"));
  EXPECT_TRUE(Untouched(31, 10, 60, 25));
  DrawFontText(4, 795, 590, "ABC", 3);  // the first glyph sticks out: refused
  DrawFontText(4, -3, 10, "A", 1);
  DrawFontText(9, 100, 200, "A", 1);  // no such colour row
  DrawFontText(4, 100, 200, nullptr, 5);
  DrawFontTextOnBlack(4, 100, 200, "A", -1);
  EXPECT_TRUE(Untouched(0, 0, 10, 10));
  EXPECT_TRUE(Untouched(100, 200, 112, 215));
  EXPECT_TRUE(Untouched(790, 585, 800, 600));
}

TEST_F(Font, EightBitModeKeysOutIndexZero) {
  StartUp(k800x600x8);
  surface::BltEffects fill{10};  // the panel blue
  ASSERT_EQ(Back().Blt(nullptr, nullptr, nullptr, surface::blt_flags::kColorFill, &fill), platform::kOk);
  DrawFontText(4, 40, 40, "W", 1);
  int white = 0, blue = 0;
  for (int y = 40; y < 55; ++y)
    for (int x = 40; x < 51; ++x) {
      const std::uint8_t index = Back().Row(y)[x];
      white += index == 255;
      blue += index == 10;
      EXPECT_NE(index, 0) << "the black cell is transparent";
    }
  EXPECT_GT(white, 10);
  EXPECT_GT(blue, 60);
  ASSERT_NE(overlay::OverlayPalette(), nullptr);
  EXPECT_EQ(Back().GetPalette(), overlay::OverlayPalette()) << "the last bitmap's table stays on the back buffer";
}

TEST_F(Font, ClockTextsAndColours) {
  struct Case {
    int seconds;
    const char* text;
    int row;
  };
  for (const Case& c : {Case{0, "00:00", 4}, Case{59, "00:59", 4}, Case{60, "01:00", 4}, Case{299, "04:59", 4},
                        Case{300, "05:00", 3}, Case{599, "09:59", 3}, Case{600, "10:00", 5}, Case{725, "12:05", 5},
                        Case{6000, "10:00", 5}, Case{-5, "00:00", 4}}) {
    EXPECT_EQ(overlay::ClockText(c.seconds), c.text) << c.seconds;
    EXPECT_EQ(overlay::ClockRow(c.seconds), c.row) << c.seconds;
  }
}

TEST_F(Font, ClockDrawsTimeAndTheCountInTheLowerLeft) {
  StartUp(k1600x900x24);
  game::gameState.elapsedSeconds = 300;
  overlay::DrawClock();
  EXPECT_TRUE(TextAt(2, 56, 804, "Time"));
  EXPECT_TRUE(TextAt(3, 56, 841, "05:00"));
}

TEST_F(Font, KeyGuideHugsTheLowerRightCornerUnscaled) {
  StartUp(k1600x900x24);
  overlay::DrawKeyGuide();
  const surface::Surface& guide = *overlay::OverlaySurface(overlay::OverlayBitmap::KeyGuide);
  int drawn = 0, seeThrough = 0;
  for (int y = 0; y < 150; ++y)
    for (int x = 0; x < 300; ++x) {
      const std::uint32_t source = Pixel(guide, x, y);
      const std::uint32_t seen = BackPixel(1300 + x, 750 + y);
      if (source == 0xFFFFFF) {
        ASSERT_EQ(seen, kPaper) << "white is the colour key";
        ++seeThrough;
      } else {
        ASSERT_EQ(seen, source) << x << "," << y;
        ++drawn;
      }
    }
  EXPECT_GT(drawn, 1000);
  EXPECT_GT(seeThrough, 1000);
  EXPECT_TRUE(Untouched(0, 0, 1300, 900));
}

}  // namespace

}  // namespace overlay_test

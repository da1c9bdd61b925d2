#include "overlay/clock.h"
#include "overlay_screen.h"
#include "support/succeeds.h"

namespace overlay_test {
namespace {

using overlay::DrawFontText;
class Font : public OverlayScreen {};

TEST_F(Font, EightBitModeKeysIndexZeroAndKeepsTheSceneColours) {
  StartUp(1);  // 800x600x8
  surface::Surface& back = *vexel::vexelContext.backBuffer;
  ASSERT_NE(overlay::OverlayPalette(), nullptr);
  EXPECT_EQ(back.GetPalette(), overlay::OverlayPalette()) << "the last bitmap's table is attached";
  surface::BltEffects fill{100};
  EXPECT_OK(back.Blt(nullptr, nullptr, nullptr, surface::blt_flags::kColorFill, &fill));
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
  EXPECT_OK(vexel::vexelContext.primary->Restore());  // the back buffer comes back with its chain
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

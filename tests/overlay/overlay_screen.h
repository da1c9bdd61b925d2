#pragma once
// A full-screen display with the overlay's bitmaps loaded, and a reading of
// what the overlay drew into the back buffer.
#include <gtest/gtest.h>

#include <array>
#include <initializer_list>
#include <string_view>

#include "overlay/font.h"
#include "overlay/overlay.h"
#include "overlay/overlay_bitmaps.h"
#include "support/fresh_state.h"
#include "support/succeeds.h"

namespace overlay_test {

namespace surface = platform::surface;
constexpr int k800x600x24 = 2, k1600x900x24 = 11;  // mode dialog rows
constexpr std::uint32_t kPaper = 0x204060;         // in no bitmap: not drawn on
constexpr std::array<std::uint32_t, 8> kInk = {0, 0x0000FF, 0x00FFFF, 0xFFFF00, 0xFFFFFF, 0xFF0000, 0x00FF00, 0x008000};

class OverlayScreen : public ::testing::Test {
 protected:
  void TearDown() override {
    platform::os::ClearKeyboard();
    overlay::ReleaseOverlayObjects();
    vexel::VexelCleanup();
  }
  void StartUp(int mode = k800x600x24) {
    test_support::FreshState();
    app::SelectDisplayMode(mode);
    ASSERT_TRUE(app::CreateMainWindow(nullptr, 1));
    ASSERT_TRUE(vexel::InitGraphics());
    overlay::LoadOverlayBitmaps();
    ClearBack();
  }
  static void ClearBack() {
    surface::BltEffects fill{kPaper};
    EXPECT_OK(vexel::vexelContext.backBuffer->Blt(nullptr, nullptr, nullptr, surface::blt_flags::kColorFill, &fill));
  }
  static std::uint32_t Pixel(const surface::Surface& s, int x, int y) {
    const std::uint8_t* p = s.Row(y) + 3 * x;  // 24 bits, blue first
    return (p[2] << 16) | (p[1] << 8) | p[0];
  }
  static std::uint32_t BackPixel(int x, int y) { return Pixel(*vexel::vexelContext.backBuffer, x, y); }

  // `text` in font row `row` from real pixel (x, y): each glyph's ink where
  // it belongs and no other pixel of its cell in the ink colour; a character
  // without a glyph leaves its cell without ink.
  static ::testing::AssertionResult TextAt(int row, int x, int y, std::string_view text) {
    const surface::Surface& font = *overlay::OverlaySurface(overlay::OverlayBitmap::Font);
    for (std::size_t i = 0; i < text.size(); ++i) {
      const int cell = overlay::FontCell(text[i]);
      for (int dy = 0; dy < 15; ++dy)
        for (int dx = 1; dx < 10; ++dx) {  // the outer columns are shared
          const bool ink = cell >= 0 && Pixel(font, 11 * cell + dx, 15 * (row - 1) + dy) != 0;
          const int bx = x + 10 * static_cast<int>(i) + dx;
          if (ink != (BackPixel(bx, y + dy) == kInk[row]))
            return ::testing::AssertionFailure() << "'" << text[i] << "' wrong at (" << bx << ", " << y + dy << ")";
        }
    }
    return ::testing::AssertionSuccess();
  }
  struct Text {
    int row, x, y;
    const char* text;
  };
  static void ExpectTexts(std::initializer_list<Text> texts) {
    for (const Text& t : texts) EXPECT_TRUE(TextAt(t.row, t.x, t.y, t.text)) << t.text;
  }
  static bool Untouched(int left, int top, int right, int bottom) {
    for (int y = top; y < bottom; ++y)
      for (int x = left; x < right; ++x)
        if (BackPixel(x, y) != kPaper) return false;
    return true;
  }
  // One main-loop turn: timers and scripted input, the step, the clock on.
  template <typename Step>
  static void Turn(Step step) {
    test_support::Drain();
    step();
    platform::os::EndTurn();
  }
  static void Hold(int key, bool down = true) { platform::os::SetKeyDown(key, down); }
};

}  // namespace overlay_test

#pragma once
// A display set up full screen with the overlay's bitmaps loaded, and ways
// to read back what the overlay drew into the back buffer.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string_view>

#include "overlay/font.h"
#include "overlay/overlay.h"
#include "overlay/overlay_bitmaps.h"
#include "platform/os/keyboard.h"
#include "platform/os/turns.h"
#include "support/fresh_state.h"

namespace overlay_test {

namespace surface = platform::surface;

// Mode rows of the mode dialog.
constexpr int k800x600x24 = 2;
constexpr int k800x600x8 = 1;
constexpr int k1600x900x24 = 11;

// Not a colour of any bitmap: whatever still shows it was not drawn on.
constexpr std::uint32_t kPaper = 0x204060;

// Glyph colours of the font rows 1..7, as 0xRRGGBB.
constexpr std::array<std::uint32_t, 8> kRowColour = {0,        0x0000FF, 0x00FFFF, 0xFFFF00,
                                                     0xFFFFFF, 0xFF0000, 0x00FF00, 0x008000};

class OverlayScreen : public ::testing::Test {
 protected:
  void TearDown() override {
    overlay::ReleaseOverlayObjects();
    vexel::VexelCleanup();
  }

  void StartUp(int mode = k800x600x24) {
    test_support::FreshState();
    app::SelectDisplayMode(mode);
    game::gameState.windowedMode = 0;
    ASSERT_TRUE(app::CreateMainWindow(nullptr, 1));
    ASSERT_TRUE(vexel::InitGraphics());
    overlay::LoadOverlayBitmaps();
    ASSERT_NE(overlay::OverlaySurface(overlay::OverlayBitmap::Font), nullptr);
    ClearBack();
  }

  static surface::Surface& Back() { return *vexel::vexelContext.backBuffer; }

  static void ClearBack(std::uint32_t colour = kPaper) {
    surface::BltEffects fill{colour};
    ASSERT_EQ(Back().Blt(nullptr, nullptr, nullptr, surface::blt_flags::kColorFill, &fill), platform::kOk);
  }

  // 0xRRGGBB of a 24-bit surface (bytes blue first).
  static std::uint32_t Pixel(const surface::Surface& s, int x, int y) {
    const std::uint8_t* p = s.Row(y) + 3 * x;
    return (p[2] << 16) | (p[1] << 8) | p[0];
  }
  static std::uint32_t BackPixel(int x, int y) { return Pixel(Back(), x, y); }

  // Whether `text` stands in font row `row` with its first cell at the real
  // pixel (x, y): every ink pixel of each glyph where it belongs, and no
  // other pixel of the cell in the ink colour. A character without a glyph
  // must leave its cell without ink. The shared outer columns are skipped.
  static ::testing::AssertionResult TextAt(int row, int x, int y, std::string_view text) {
    const surface::Surface& font = *overlay::OverlaySurface(overlay::OverlayBitmap::Font);
    for (std::size_t i = 0; i < text.size(); ++i) {
      const int cell = overlay::FontCell(text[i]);
      for (int dy = 0; dy < overlay::kGlyphHeight; ++dy)
        for (int dx = 1; dx < overlay::kGlyphWidth - 1; ++dx) {
          const int bx = x + overlay::kPenAdvance * static_cast<int>(i) + dx, by = y + dy;
          const bool ink = cell >= 0 && Pixel(font, overlay::kGlyphWidth * cell + dx,
                                              overlay::kGlyphHeight * (row - 1) + dy) != 0;
          const std::uint32_t seen = BackPixel(bx, by);
          if (ink != (seen == kRowColour[row]))
            return ::testing::AssertionFailure() << "character " << i << " '" << text[i] << "' at pixel (" << bx
                                                 << ", " << by << ") is " << std::hex << seen;
        }
    }
    return ::testing::AssertionSuccess();
  }

  // Whether the real rectangle still shows nothing but the paper.
  static bool Untouched(int left, int top, int right, int bottom) {
    for (int y = top; y < bottom; ++y)
      for (int x = left; x < right; ++x)
        if (BackPixel(x, y) != kPaper) return false;
    return true;
  }

  // One main-loop turn around `step`: timers and scripted input, then the
  // step, then the virtual clock moves on.
  template <typename Step>
  static void Turn(Step step) {
    test_support::Drain();
    step();
    platform::os::EndTurn();
  }
  static void Hold(int key, bool down) { platform::os::SetKeyDown(key, down); }
};

}  // namespace overlay_test

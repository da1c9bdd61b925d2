#include "platform/os/sdl_presenter.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "platform/os/backend.h"

namespace platform::os {
namespace {

// SDL's driver that draws into memory: no display needed.
const bool kDummyVideo = setenv("SDL_VIDEODRIVER", "dummy", 0) == 0;

LResult NoProc(Window*, std::uint32_t, std::uintptr_t, std::intptr_t) { return 0; }

Picture Pattern(int w, int h) {
  Picture p{w, h, {}};
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) p.pixels.push_back(static_cast<std::uint32_t>(x * 0x050301 + y * 0x010507 + 0x102030));
  return p;
}

std::uint32_t At(const Picture& p, int x, int y) { return p.pixels[static_cast<std::size_t>(y) * p.width + x]; }

// Each path shows a picture of the drawable's size pixel for pixel, a smaller
// one scaled whole, and a narrower one centred between black bars; and both
// paths show the same pixels.
TEST(SdlPresenter, EveryPathShowsThePictureWholeAndAlike) {
  std::string why;
  if (!kDummyVideo || !StartBackend({.headless = false}, &why)) GTEST_SKIP() << "no live backend: " << why;
  ResetWindows();
  RegisterWindowClass({.name = "paths", .proc = NoProc});
  Window* window = CreateMainWindow("paths", "paths", kWsVisible, 0, 0, 64 + 6, 48 + 25);  // a 64x48 client
  ASSERT_TRUE(window);
  auto* sdlWindow = static_cast<SDL_Window*>(window->native);

  const Picture whole = Pattern(64, 48), half = Pattern(32, 24), narrow = Pattern(32, 48);
  Picture shownBy[2][3];
  for (const char* path : {"texture", "surface"}) {
    setenv("ZARN_PRESENT", path, 1);
    SdlPresenter presenter(sdlWindow);
    const int p = presenter.Path() == PresentPath::kTexture ? 0 : 1;
    ASSERT_EQ(std::string(path) == "texture", p == 0) << path << " was not taken";
    const Picture* canvases[] = {&whole, &half, &narrow};
    for (int c = 0; c < 3; ++c) {
      presenter.Show(*canvases[c]);
      ASSERT_TRUE(presenter.ReadShown(&shownBy[p][c])) << path;
      ASSERT_EQ(shownBy[p][c].width, 64) << path;
      ASSERT_EQ(shownBy[p][c].height, 48) << path;
    }
    EXPECT_EQ(shownBy[p][0].pixels, whole.pixels) << path << ": 1:1";
    bool twice = true, centred = true;
    for (int y = 0; y < 48; ++y)
      for (int x = 0; x < 64; ++x) {
        twice = twice && At(shownBy[p][1], x, y) == At(half, x / 2, y / 2);
        std::uint32_t expected = x >= 16 && x < 48 ? At(narrow, x - 16, y) : 0;
        centred = centred && At(shownBy[p][2], x, y) == expected;
      }
    EXPECT_TRUE(twice) << path << ": scaled twice, each pixel a 2x2 block";
    EXPECT_TRUE(centred) << path << ": centred between black bars";
  }
  unsetenv("ZARN_PRESENT");
  for (int c = 0; c < 3; ++c) EXPECT_EQ(shownBy[0][c].pixels, shownBy[1][c].pixels) << "canvas " << c;
  ResetWindows();
  StopBackend();
}

}  // namespace
}  // namespace platform::os

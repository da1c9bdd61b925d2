#pragma once
// Helpers shared by the surface tests: a window on the headless backend, and
// reading and writing single pixels.
#include <cstdint>

#include "platform/os/window.h"
#include "platform/surface/direct_draw.h"
#include "platform/surface/pixel_format.h"

namespace surface_test {

using namespace platform::surface;

inline platform::os::LResult IgnoreMessages(platform::os::Window*, std::uint32_t, std::uintptr_t, std::intptr_t) {
  return 0;
}

// A fresh main window (client size 800 x 600 or close to it) that keeps the
// pictures presented to it.
inline platform::os::Window* MakeWindow() {
  platform::os::ResetWindows();
  platform::os::RegisterWindowClass({"SurfaceTest", 0, &IgnoreMessages, 0, 0});
  platform::os::KeepPresentedPictures(true);
  return platform::os::CreateMainWindow("SurfaceTest", "t", platform::os::kWsVisible, 100, 50, 800, 600);
}

inline std::uint32_t Get(const Surface& s, int x, int y) {
  return LoadPixel(s.Row(y) + x * s.BytesPerPixel(), s.BytesPerPixel());
}

inline void Put(Surface& s, int x, int y, std::uint32_t v) {
  StorePixel(s.Row(y) + x * s.BytesPerPixel(), s.BytesPerPixel(), v);
}

inline void Fill(Surface& s, std::uint32_t v) {
  for (int y = 0; y < s.Height(); ++y)
    for (int x = 0; x < s.Width(); ++x) Put(s, x, y, v);
}

// White in the surface's format: every bit set.
inline std::uint32_t White(const Surface& s) { return PixelMask(s.BitsPerPixel()); }

}  // namespace surface_test

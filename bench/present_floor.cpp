// The floor of the live loop (scripts/bench --live): a window that only shows
// a ready picture, unpaced, through the same presenting code as the game
// (ZARN_PRESENT picks the path). What the game shows per second can come no
// closer to the screen than this.
//
// usage: present_floor WIDTH HEIGHT window|fullscreen [SECONDS]
// prints: pictures seconds cpu-seconds path
#include <time.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/os/backend.h"
#include "platform/os/messages.h"
#include "platform/os/window.h"

namespace {

using namespace platform::os;

double Seconds(clockid_t clock) {
  timespec t{};
  clock_gettime(clock, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

LResult FloorProc(Window*, std::uint32_t, std::uintptr_t, std::intptr_t) { return 0; }

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: %s WIDTH HEIGHT window|fullscreen [SECONDS]\n", argv[0]);
    return 2;
  }
  const int width = std::atoi(argv[1]), height = std::atoi(argv[2]);
  const bool fullScreen = std::strcmp(argv[3], "fullscreen") == 0;
  const double seconds = argc > 4 ? std::atof(argv[4]) : 10.0;
  if (width <= 0 || height <= 0 || seconds <= 0) return 2;

  std::string error;
  if (!StartBackend({.headless = false}, &error)) {
    std::fprintf(stderr, "present_floor: %s\n", error.c_str());
    return 1;
  }
  RegisterWindowClass({.name = "floor", .proc = FloorProc});
  // Placed and framed as the game places its window.
  Rect desktop = DesktopRect();
  Window* window = CreateMainWindow("floor", "floor", kWsVisible, desktop.Width() / 2 - (width + 20) / 2,
                                    desktop.Height() / 2 - (height + 40) / 2, width + 30, height + 40);
  if (!window) return 1;
  if (fullScreen && !EnterFullScreen(window, width, height)) return 1;

  Picture picture;
  picture.width = width;
  picture.height = height;
  picture.pixels.resize(static_cast<std::size_t>(width) * height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      picture.pixels[static_cast<std::size_t>(y) * width + x] =
          static_cast<std::uint32_t>((x * 255 / width) << 16 | (y * 255 / height) << 8 | 0x40);

  // A second to settle (mapping, the window manager's full screen) first.
  Message message;
  for (double until = Seconds(CLOCK_MONOTONIC) + 1; Seconds(CLOCK_MONOTONIC) < until;) {
    while (PeekMessage(message)) {}
    PresentPicture(window, picture, {0, 0, width, height});
  }
  long pictures = 0;
  const double wall0 = Seconds(CLOCK_MONOTONIC), cpu0 = Seconds(CLOCK_PROCESS_CPUTIME_ID);
  double wall = wall0;
  while (wall - wall0 < seconds) {
    while (PeekMessage(message)) {}
    PresentPicture(window, picture, {0, 0, width, height});
    ++pictures;
    wall = Seconds(CLOCK_MONOTONIC);
  }
  const double cpu = Seconds(CLOCK_PROCESS_CPUTIME_ID) - cpu0;
  const char* path = std::getenv("ZARN_PRESENT");
  std::printf("%ld %.3f %.3f %s\n", pictures, wall - wall0, cpu, path && *path ? path : "chosen");
  StopBackend();
  return 0;
}

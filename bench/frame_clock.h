#pragma once
// The side-by-side comparison's clock: each program draws the anchor scene
// at the size asked for on its command line (WIDTH HEIGHT BPP [FRAMES]) and
// prints the median wall-clock time of a whole frame in milliseconds. Wall
// time, because a threaded reference spreads one frame over several cores.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace bench {

struct FrameArgs {
  int width = 0, height = 0, bpp = 0, frames = 50;
};

inline bool ParseFrameArgs(int argc, char** argv, FrameArgs* a) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: %s WIDTH HEIGHT BPP [FRAMES]\n", argv[0]);
    return false;
  }
  a->width = std::atoi(argv[1]);
  a->height = std::atoi(argv[2]);
  a->bpp = std::atoi(argv[3]);
  if (argc > 4) a->frames = std::atoi(argv[4]);
  return a->width > 0 && a->height > 0 && (a->bpp == 16 || a->bpp == 24) && a->frames > 0;
}

template <class Draw>
double MedianFrameMs(int frames, Draw draw) {
  draw();  // first-use costs: allocations, compiled shaders, cold caches
  draw();
  std::vector<double> ms;
  for (int i = 0; i < frames; ++i) {
    const auto start = std::chrono::steady_clock::now();
    draw();
    ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
  }
  std::nth_element(ms.begin(), ms.begin() + frames / 2, ms.end());
  return ms[frames / 2];
}

}  // namespace bench

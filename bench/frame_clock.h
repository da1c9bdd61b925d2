#pragma once
// The side-by-side comparison's clock: each program draws the anchor scene
// at the size asked for on its command line (WIDTH HEIGHT BPP [FRAMES
// [THREADS]]; llvmpipe takes its threads from LP_NUM_THREADS) and
// prints two medians of a whole frame in milliseconds: wall-clock time, the
// fair figure for a renderer that spreads a frame over several cores, and
// the process's CPU time, which a busy machine disturbs far less.
#include <time.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace bench {

struct FrameArgs {
  int width = 0, height = 0, bpp = 0, frames = 50, threads = 1;
};

inline bool ParseFrameArgs(int argc, char** argv, FrameArgs* a) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: %s WIDTH HEIGHT BPP [FRAMES [THREADS]]\n", argv[0]);
    return false;
  }
  a->width = std::atoi(argv[1]);
  a->height = std::atoi(argv[2]);
  a->bpp = std::atoi(argv[3]);
  if (argc > 4) a->frames = std::atoi(argv[4]);
  if (argc > 5) a->threads = std::atoi(argv[5]);
  return a->width > 0 && a->height > 0 && (a->bpp == 16 || a->bpp == 24) && a->frames > 0 && a->threads > 0;
}

struct FrameTimes {
  double wallMs, cpuMs;
};

inline double ProcessCpuMs() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

inline double Median(std::vector<double> v) {
  std::nth_element(v.begin(), v.begin() + static_cast<std::ptrdiff_t>(v.size() / 2), v.end());
  return v[v.size() / 2];
}

template <class Draw>
FrameTimes MedianFrameTimes(int frames, Draw draw) {
  draw();  // first-use costs: allocations, compiled shaders, cold caches
  draw();
  std::vector<double> wall, cpu;
  for (int i = 0; i < frames; ++i) {
    const auto start = std::chrono::steady_clock::now();
    const double cpuStart = ProcessCpuMs();
    draw();
    cpu.push_back(ProcessCpuMs() - cpuStart);
    wall.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
  }
  return {Median(wall), Median(cpu)};
}

inline void PrintFrameTimes(const FrameTimes& t) { std::printf("%.3f %.3f\n", t.wallMs, t.cpuMs); }

}  // namespace bench

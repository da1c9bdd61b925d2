#pragma once
// The side-by-side comparison's clock: each program draws the anchor scene
// at the size asked for on its command line (WIDTH HEIGHT BPP [FRAMES
// [THREADS]]; llvmpipe takes its threads from LP_NUM_THREADS) and
// prints two medians of a whole frame in milliseconds: wall-clock time, the
// fair figure for a renderer that spreads a frame over several cores, and
// the process's CPU time, which a busy machine disturbs far less; then the
// calling thread's CPU time plus what it would have waited for the others
// on cores of their own: for our renderer on several threads, about the
// frame's time on an idle machine.
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
  double wallMs, cpuMs, threadCpuMs;
};

inline double CpuMs(clockid_t clock) {
  timespec t{};
  clock_gettime(clock, &t);
  return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

// The process's CPU time over a Google Benchmark loop, per iteration, beside
// the calling thread's that the library reports; and `waited()` as above.
template <class Waited>
struct CpuPerIteration {
  explicit CpuPerIteration(Waited w) : waited(w) {}
  Waited waited;
  double start = CpuMs(CLOCK_PROCESS_CPUTIME_ID), threadStart = CpuMs(CLOCK_THREAD_CPUTIME_ID), waitedStart = waited();
  double ProcessMs(double iterations) const { return (CpuMs(CLOCK_PROCESS_CPUTIME_ID) - start) / iterations; }
  double OwnCoresMs(double iterations) const {
    return (CpuMs(CLOCK_THREAD_CPUTIME_ID) - threadStart + waited() - waitedStart) / iterations;
  }
};

inline double Median(std::vector<double> v) {
  std::nth_element(v.begin(), v.begin() + static_cast<std::ptrdiff_t>(v.size() / 2), v.end());
  return v[v.size() / 2];
}

// `waited()`: a running total of the time the calling thread would have
// waited for others on cores of their own (see FrameTimes), if it knows.
template <class Draw, class Waited = double (*)()>
FrameTimes MedianFrameTimes(
    int frames, Draw draw, Waited waited = [] { return 0.0; }) {
  draw();  // first-use costs: allocations, compiled shaders, cold caches
  draw();
  std::vector<double> wall, cpu, threadCpu;
  for (int i = 0; i < frames; ++i) {
    const auto start = std::chrono::steady_clock::now();
    const double cpuStart = CpuMs(CLOCK_PROCESS_CPUTIME_ID), threadStart = CpuMs(CLOCK_THREAD_CPUTIME_ID);
    const double waitedStart = waited();
    draw();
    threadCpu.push_back(CpuMs(CLOCK_THREAD_CPUTIME_ID) - threadStart + waited() - waitedStart);
    cpu.push_back(CpuMs(CLOCK_PROCESS_CPUTIME_ID) - cpuStart);
    wall.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
  }
  return {Median(wall), Median(cpu), Median(threadCpu)};
}

inline void PrintFrameTimes(const FrameTimes& t) { std::printf("%.3f %.3f %.3f\n", t.wallMs, t.cpuMs, t.threadCpuMs); }

}  // namespace bench

// Frame times of the software renderer on the anchor scene, and ray picks
// against it. --screenshot-dir=DIR writes the pictures as PNG files there.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "anchor_scene.h"
#include "frame_clock.h"
#include "platform/rm/ray_pick.h"
#include "platform/rm/worker_pool.h"
#include "png_writer.h"

namespace {

void BM_AnchorFrame(benchmark::State& state, int width, int height, int bpp, bool translucent) {
  bench::AnchorScene scene(width, height, bpp, translucent);
  scene.device->SetThreads(static_cast<int>(state.range(0)));
  const bench::CpuPerIteration process([] { return platform::rm::WorkerPool::Shared().CallerWouldWaitMs(); });
  // The picture is read as presenting reads it: taking the pixels to write
  // would tell the device that any row may have changed, and every frame
  // would then clear all of them, which the comparison's clock
  // (anchor_frame_time) and llvmpipe's do not.
  const platform::surface::Surface& picture = *scene.backBuffer;
  for (auto _ : state) {
    scene.DrawFrame();
    benchmark::DoNotOptimize(picture.Pixels());
    benchmark::ClobberMemory();
  }
  state.counters["process_ms"] = process.ProcessMs(static_cast<double>(state.iterations()));
  state.counters["own_cores_ms"] = process.OwnCoresMs(static_cast<double>(state.iterations()));
  state.counters["triangles"] = scene.TriangleCount();
}

// On one thread and on two. process_ms counts every thread's work, and
// own_cores_ms is the calling thread's CPU time plus what it would have
// waited for the other on a core of its own: about the frame's time on an
// idle machine, which the wall clock ("Time") on a shared one is not.
#define ANCHOR_FRAME(name, ...) \
  BENCHMARK_CAPTURE(BM_AnchorFrame, name, __VA_ARGS__)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)
ANCHOR_FRAME(800x600x16, 800, 600, 16, false);
ANCHOR_FRAME(1920x1080x24, 1920, 1080, 24, false);
ANCHOR_FRAME(translucent_800x600x16, 800, 600, 16, true);
ANCHOR_FRAME(translucent_1920x1080x24, 1920, 1080, 24, true);

// 100 short segments cast down and forward over the boxes, as the game's
// collision probes do: each one asks for the nearest hit per visual.
void BM_AnchorRayPicks(benchmark::State& state) {
  namespace rm = platform::rm;
  bench::AnchorScene scene(64, 64, 16, false);
  std::vector<rm::Ray> rays;
  for (int k = 0; k < 100; ++k) {
    rm::Vec3 origin{-52.0f + static_cast<float>((k * 37) % 100), 7.0f, static_cast<float>((k * 53) % 88)};
    rays.push_back({origin, {0.3f, -1.0f, 0.5f}});
  }
  std::vector<rm::Pick> picks;
  std::size_t hits = 0;
  for (auto _ : state) {
    hits = 0;
    for (const rm::Ray& ray : rays) {
      scene.root->RayPick(scene.root.get(), ray, rm::kRayPickIgnoreFurtherPrimitives, &picks, 10.0f)
          .Ignore("a refused pick counts as no hit");
      hits += picks.size();
    }
    benchmark::DoNotOptimize(hits);
  }
  state.counters["hits"] = static_cast<double>(hits);
}
BENCHMARK(BM_AnchorRayPicks)->Unit(benchmark::kMicrosecond);

void WriteScreenshots(const std::string& dir) {
  struct Shot {
    int w, h, bpp;
    bool translucent;
    const char* name;
  };
  for (const Shot& s :
       {Shot{800, 600, 16, false, "anchor-800x600.png"}, Shot{1920, 1080, 24, false, "anchor-1920x1080.png"},
        Shot{800, 600, 16, true, "anchor-translucent-800x600.png"}}) {
    // On one thread and on three: the pictures must be the same.
    for (int threads : {1, 3}) {
      bench::AnchorScene scene(s.w, s.h, s.bpp, s.translucent);
      scene.device->SetThreads(threads);
      scene.DrawFrame();
      std::string path = dir + "/" + (threads == 1 ? "" : "threads3-") + s.name;
      if (!bench::WritePng(*scene.backBuffer, path))
        std::fprintf(stderr, "could not write %s\n", path.c_str());
      else
        std::printf("wrote %s\n", path.c_str());
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  std::string shotDir;
  std::vector<char*> args;
  for (int i = 0; i < argc; ++i) {
    const char* prefix = "--screenshot-dir=";
    if (std::strncmp(argv[i], prefix, std::strlen(prefix)) == 0)
      shotDir = argv[i] + std::strlen(prefix);
    else
      args.push_back(argv[i]);
  }
  int n = static_cast<int>(args.size());
  benchmark::Initialize(&n, args.data());
  if (!shotDir.empty()) WriteScreenshots(shotDir);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

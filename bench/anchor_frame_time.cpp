// Our renderer's anchor frame on the comparison's clock (frame_clock.h).

#include "anchor_scene.h"
#include "frame_clock.h"
#include "platform/rm/worker_pool.h"

int main(int argc, char** argv) {
  bench::FrameArgs a;
  if (!bench::ParseFrameArgs(argc, argv, &a)) return 2;
  bench::AnchorScene scene(a.width, a.height, a.bpp, false);
  scene.device->SetThreads(a.threads);
  bench::PrintFrameTimes(bench::MedianFrameTimes(
      a.frames, [&] { scene.DrawFrame(); }, [] { return platform::rm::WorkerPool::Shared().CallerWouldWaitMs(); }));
  return 0;
}

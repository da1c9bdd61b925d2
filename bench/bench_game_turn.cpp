// One game turn of the built world: the frame render from the table camera,
// the probe rays of one playing step, and a whole playing turn with the
// excavator driving. Runs headless from the run folder, where the models are.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include "frame_clock.h"
#include "platform/rm/worker_pool.h"

#include "app/main_window.h"
#include "app/mode_dialog.h"
#include "core/game_state.h"
#include "game/collision.h"
#include "game/excavator.h"
#include "game/game_step.h"
#include "game/start_game.h"
#include "overlay/overlay.h"
#include "platform/os/backend.h"
#include "platform/os/keyboard.h"
#include "platform/os/messages.h"
#include "platform/os/turns.h"
#include "platform/os/window.h"
#include "scene/camera_select.h"
#include "scene/scene.h"
#include "scene/scene_objects.h"
#include "vexel/vexel.h"

namespace {

using scene::objects;

int drivingTurn = 0;  // turns driven since the world was built

// The world built once per display mode, laid out for stage 4, with the
// excavator in the middle of the table and the table camera on it.
void BuildWorld(int mode) {
  static int built = -1;
  if (built == mode) return;
  if (built >= 0) {
    scene::ReleaseScene();
    vexel::VexelCleanup();
  }
  built = mode;
  drivingTurn = 0;
  if (chdir(ZARN_RUN_DIR) != 0) return;
  platform::os::StartBackend({true, 60.0});
  platform::os::ResetMessageQueue();
  platform::os::ResetWindows();
  game::gameState = game::GameState{};
  game::gameState.speedFactor = 2.0f;
  app::SelectDisplayMode(mode);
  app::CreateMainWindow(nullptr, 1);
  vexel::InitGraphics();
  scene::BuildScene();
  // Stage 4, the full table with its obstacles, as Enter on the title and
  // Space on the intro leave it.
  game::gameState.stageNumber = 4;
  game::StartGameFromTitle();
  game::gameState.stageIntroActive = 0;
  objects.baseFrame->SetPosition(objects.sceneRoot.get(), 0, 0.1f, 40).Ignore(scene::kPoseResultUnused);
  game::gameState.cameraIndex = 8;
  scene::SetCamera(8);
  game::PlaceFollowingCameras();
  game::AimCameras();
}

void RenderFrame(benchmark::State& state) {
  BuildWorld(static_cast<int>(state.range(0)));
  for (auto _ : state) overlay::RenderFrame();
}

void ProbesOfOneStep(benchmark::State& state) {
  BuildWorld(0);
  for (auto _ : state) {
    benchmark::DoNotOptimize(game::BaseBoxHits());
    benchmark::DoNotOptimize(game::BucketArmHits(game::gameState.bucketDipped));
    benchmark::DoNotOptimize(game::BaseBoxHits());
  }
}

// Drives forward and back in turns of a second. The turn count lives as long
// as the world, not one call: the library calls this many times (estimating
// the iteration count, repetitions), and a count restarted at every call
// drives the excavator off the table. A repetition that ends anywhere but in
// play timed the fall or the title instead, and says so.
void PlayingTurnDriving(benchmark::State& state) {
  BuildWorld(static_cast<int>(state.range(0)));
  vexel::vexelContext.device->SetThreads(static_cast<int>(state.range(1)));
  platform::os::SetKeyDown(platform::os::vk::kTab, true);
  const bench::CpuPerIteration process([] { return platform::rm::WorkerPool::Shared().CallerWouldWaitMs(); });
  for (auto _ : state) {
    bool forward = (drivingTurn++ / 60) % 2 == 0;
    platform::os::SetKeyDown(platform::os::vk::kUp, forward);
    platform::os::SetKeyDown(platform::os::vk::kDown, !forward);
    game::GameStep();
    overlay::RenderFrame();
  }
  state.counters["process_ms"] = process.ProcessMs(static_cast<double>(state.iterations()));
  state.counters["own_cores_ms"] = process.OwnCoresMs(static_cast<double>(state.iterations()));
  platform::os::ClearKeyboard();
  if (game::CurrentMode() != game::Mode::Playing)
    state.SkipWithError("the game left the playing mode: the turns timed were not play");
}

// Rows of the mode table: 0 is 800x600x16, 14 is 1920x1080x24.
BENCHMARK(RenderFrame)->Arg(0)->Arg(14)->Unit(benchmark::kMillisecond);
BENCHMARK(ProbesOfOneStep)->Unit(benchmark::kMicrosecond);
// The second argument: drawing threads (process_ms and own_cores_ms as in
// bench_renderer).
BENCHMARK(PlayingTurnDriving)->Args({0, 1})->Args({14, 1})->Args({0, 2})->Args({14, 2})->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();

#include "app/demo_runs.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <sstream>
#include <vector>

#include "core/game_state.h"
#include "demo/demo.h"
#include "demo/demo_file_reader.h"
#include "game/game_step.h"
#include "game/title_menu.h"
#include "platform/os/file_access.h"
#include "platform/os/messages.h"

namespace app {

namespace {

using Clock = std::chrono::steady_clock;

struct DemoRun {
  bool active = false, timed = false, started = false, done = false;
  std::string path;
  Clock::time_point last;
  std::vector<double> turnMs;
};
DemoRun run;

}  // namespace

core::Status PrepareDemoRun(const std::string& path, bool timed) {
  platform::os::FileRead file = platform::os::ReadRegularFile(path, platform::os::FileKind::kDemo);
  if (!file.Ok()) return core::Status::Failure("cannot play the demo file " + path + ": " + file.why);
  std::istringstream in(file.bytes);
  demo::DemoReadResult result = demo::ReadDemo(in);
  if (!result.Ok())
    return core::Status::Failure("cannot play the demo file " + path + ": " + demo::DescribeDemoRead(result));
  run = {};
  run.active = true;
  run.timed = timed;
  run.path = path;
  demo::PlayDemoFileInstead(path);
  return core::Status::Success();
}

void DemoRunTurn() {
  if (!run.active || run.done) return;
  game::GameState& g = game::gameState;
  const game::Mode mode = game::CurrentMode();
  if (!run.started) {
    // At the title, with the pace known, as the title starts it after its
    // idle time.
    if (mode == game::Mode::Title && !g.buttonConfigActive) game::TryAttractDemo();
    if (game::CurrentMode() == game::Mode::AttractDemo) {
      run.started = true;
      run.last = Clock::now();
    }
    return;
  }
  if (mode == game::Mode::AttractDemo) {
    Clock::time_point now = Clock::now();
    run.turnMs.push_back(std::chrono::duration<double, std::milli>(now - run.last).count());
    run.last = now;
    return;
  }
  // Back at the title: the demo is over.
  run.done = true;
  if (run.timed) platform::os::RequestClose();
}

void ReportDemoRun() {
  if (!run.timed) return;
  std::vector<double> t = run.turnMs;
  if (t.empty()) {
    std::printf("timedemo %s: no turns played\n", run.path.c_str());
    return;
  }
  double total = 0;
  for (double ms : t) total += ms;
  std::sort(t.begin(), t.end());
  double p99 = t[std::min(t.size() - 1, static_cast<std::size_t>(0.99 * static_cast<double>(t.size())))];
  std::printf("timedemo %s: %zu turns in %.3f s, %.1f turns/s, mean %.3f ms, 99th percentile %.3f ms\n",
              run.path.c_str(), t.size(), total / 1000, 1000.0 * static_cast<double>(t.size()) / total,
              total / static_cast<double>(t.size()), p99);
}

}  // namespace app

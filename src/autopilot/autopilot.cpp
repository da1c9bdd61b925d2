#include "autopilot/autopilot.h"

#include <cstdio>
#include <memory>

#include "autopilot/keys.h"
#include "autopilot/stage_player.h"
#include "autopilot/trace.h"
#include "core/game_state.h"
#include "game/game_step.h"
#include "game/run_log.h"
#include "platform/os/clock.h"
#include "platform/os/turns.h"

namespace autopilot {

namespace {

constexpr std::uint32_t kSettleMs = 400;         // a short look at each screen before its key
constexpr std::uint32_t kAllClearedMs = 4000;    // the All Cleared screen is shown this long
constexpr std::int64_t kStageTurnLimit = 60000;  // a stage not won by then will not be

struct Pilot {
  Route route = Route::Result;
  std::size_t stages = 0;
  game::Mode mode = game::Mode::Calibration;
  std::uint32_t modeSince = 0;
  std::unique_ptr<StagePlayer> player;  // the stage under way
  bool gameOver = false;
  std::size_t judged = 0;  // run-log entries already checked
  std::string failure;
  Trace trace;
};

Pilot pilot;

void Fail(const std::string& why) {
  if (!pilot.failure.empty()) return;
  pilot.failure = "stage " + std::to_string(game::gameState.stageNumber) + ": " + why;
  std::fprintf(stderr, "zarn: autopilot: %s\n", pilot.failure.c_str());
}

// Every finished stage must have earned the best verdict.
void JudgeFinishedStages() {
  const auto& stages = game::runLog.stages;
  for (; pilot.judged < stages.size(); ++pilot.judged)
    if (stages[pilot.judged].score != 100)
      Fail("the order scored " + std::to_string(stages[pilot.judged].score) + ", not 100");
}

Keys KeysFor(game::Mode mode, std::uint32_t shownMs) {
  const game::GameState& g = game::gameState;
  const bool settled = shownMs >= kSettleMs;
  switch (mode) {
    case game::Mode::Calibration: return {};
    case game::Mode::Title:
      if (pilot.gameOver) return {.escape = settled};
      return {.enter = settled && !g.buttonConfigActive};
    case game::Mode::AttractDemo: return {.space = true};
    case game::Mode::StageIntro: pilot.player.reset(); return {.space = settled};
    case game::Mode::Playing: {
      if (!pilot.player) pilot.player = std::make_unique<StagePlayer>(pilot.trace);
      std::string why;
      Keys keys = pilot.player->Turn(why);
      if (!why.empty()) Fail(why);
      if (game::runLog.playingTurns > kStageTurnLimit) Fail("the stage took too long");
      return keys;
    }
    case game::Mode::Fall: Fail("the excavator fell off the table"); return {};
    case game::Mode::Result:
      pilot.player.reset();
      // The replay route waits for the replay, ten seconds in.
      return {.enter = pilot.route == Route::Result && g.resultCountTicks > 16};
    case game::Mode::Replay: return {.enter = settled};
    case game::Mode::AllCleared:
      if (shownMs < kAllClearedMs) return {};
      pilot.gameOver = true;
      return {.space = true};
  }
  return {};
}

void DriveTurn() {
  const std::uint32_t now = platform::os::TickCount();
  const game::Mode mode = game::CurrentMode();
  if (mode != pilot.mode) {
    pilot.mode = mode;
    pilot.modeSince = now;
  }
  JudgeFinishedStages();
  Keys keys = KeysFor(mode, now - pilot.modeSince);
  // A failure, or the stages asked for done, ends the run the orderly way,
  // as Escape does (the recording of the last stage is still in memory).
  if (!pilot.failure.empty() || (pilot.stages > 0 && game::runLog.stages.size() >= pilot.stages))
    keys = {.escape = true};
  HoldKeys(keys);
}

}  // namespace

void Start(Route route, int stages) {
  pilot = {};
  pilot.route = route;
  pilot.stages = static_cast<std::size_t>(stages);
  pilot.trace = Trace::FromEnvironment();
  platform::os::SetInputDriver(&DriveTurn);
}

const std::string& Failure() { return pilot.failure; }

}  // namespace autopilot

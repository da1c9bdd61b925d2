#include "game/result_screen.h"

#include <algorithm>

#include "audio/music.h"
#include "audio/sound_effects.h"
#include "core/game_state.h"
#include "core/timers.h"
#include "game/orders.h"
#include "game/run_log.h"
#include "game/scoop_and_pour.h"
#include "game/screen_parts.h"
#include "game/screens.h"
#include "game/showcase.h"
#include "game/stages.h"
#include "overlay/overlay.h"
#include "platform/os/keyboard.h"
#include "platform/os/messages.h"

namespace game {

namespace vk = platform::os::vk;
using scene::objects;

std::string ScoreLine(int orderScore, int ticks) {
  std::string line = std::string(Verdict(orderScore)) + std::to_string(orderScore) + " points";
  if (line.size() < kScoreLineLength) line.resize(kScoreLineLength, ' ');
  line.resize(std::clamp<std::size_t>(static_cast<std::size_t>(std::max(ticks, 0)), 0, line.size()));
  return line;
}

void RunResultScreen() {
  GameState& g = gameState;
  audio::StopAllSounds();
  HideCarriedHeaps();
  if (g.resultPhase == ScreenPhase::Entering) {
    runLog.stages.push_back({g.stageNumber, g.orderScore, Verdict(g.orderScore), runLog.playingTurns});
    ColourDrinks(DrinkColour(g.cup[Ingredient::Milk]), DrinkColour(g.glass[Ingredient::Milk]));
    PlaceShowcase();
    UseResultCamera();
    g.resultPhase = ScreenPhase::Showing;
    platform::os::KillTimer(g.mainWindow, core::kTimerDemoRecord);
    platform::os::SetTimer(g.mainWindow, core::kTimerReplayStart, 10000);
  }
  OrbitResultCamera(g.showcaseAngle, 0.012f, ShowcaseRadius(), -150, objects.sceneRoot, objects.resultTargetFrame);
  DrawScreenText(kRowWhite, 230, 410, "Have a break! but how does it taste ?");

  std::string typed = ScoreLine(g.orderScore, g.resultCountTicks);
  if (!typed.empty())
    overlay::DrawFontText(kRowYellow, ScoreLineX(static_cast<int>(typed.size())), 474, typed.c_str(),
                          static_cast<int>(typed.size()));

  if (g.resultCountTicks <= 16) return;
  DrawScreenText(kRowWhite, 290, 570, "[ P U S H  E N T E R ]");
  if (!KeyOrButtonDown(vk::kReturn, true)) return;
  platform::os::KillTimer(g.mainWindow, core::kTimerReplayStart);
  g.resultCountTicks = 16;
  audio::PlayTrack(0);
  PutShowcaseAway();
  AdvanceStageFromResult();
}

void RunReplayScreen() {
  GameState& g = gameState;
  if (g.playbackIndex > g.recordCount) {
    // The recording has run out: back to the result screen, which is still
    // open; its replay timer is not armed again, so this was the only one.
    platform::os::KillTimer(g.mainWindow, core::kTimerDemoPlay);
    g.replayActive = false;
    UseResultCamera();
    PlaceShowcase();
  }
  DrawScreenText(kRowWhite, 200, 410, "Have a break! but why don't you use spoon?");
  DrawScreenText(kRowWhite, 290, 570, "[ P U S H  E N T E R ]");
  if (KeyOrButtonDown(vk::kReturn, true)) {
    platform::os::KillTimer(g.mainWindow, core::kTimerDemoPlay);
    g.replayActive = false;
    g.resultCountTicks = 16;
    audio::PlayTrack(0);
    PutShowcaseAway();
    AdvanceStageFromReplay();
  }
  FollowPlayback();
}

}  // namespace game

#include "core/game_state.h"
#include "game/start_game.h"
#include "game/title_menu.h"
#include "overlay/title_show.h"
#include "platform/os/keyboard.h"

namespace game {

using namespace overlay;

void TitleStep() {
  game::GameState& g = game::gameState;
  platform::os::KeyboardState keys;
  platform::os::GetKeyboardState(keys);
  // Enter works in every phase, so the show can be skipped.
  if ((platform::os::KeyDown(keys, platform::os::vk::kReturn) || g.buttonDown[1]) && !g.buttonConfigActive)
    StartGameFromTitle();

  if (g.titlePhase == TitlePhase::SetUp) SetUpTitleShow();
  SpinTitlePieces();
  if (g.titlePhase == TitlePhase::DriveIn || g.titlePhase == TitlePhase::DriveInAndTurn) DriveIn();
  if (g.titlePhase == TitlePhase::DriveInAndTurn || g.titlePhase == TitlePhase::Turn) TurnBody();
  if (g.titlePhase == TitlePhase::RaiseBoom) RaiseBoom();
  if (g.titlePhase == TitlePhase::RaiseBoom || g.titlePhase == TitlePhase::Menu) TitleMenuStep();
}

}  // namespace game

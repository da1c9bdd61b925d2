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
  if ((platform::os::KeyDown(keys, platform::os::vk::kReturn) || g.buttonDown[1]) && g.buttonConfigActive == 0)
    StartGameFromTitle();

  if (g.titlePhase == 1) SetUpTitleShow();
  SpinTitlePieces();
  if (g.titlePhase == 2 || g.titlePhase == 3) DriveIn();
  if (g.titlePhase == 3 || g.titlePhase == 4) TurnBody();
  if (g.titlePhase == 5) RaiseBoom();
  if (g.titlePhase == 5 || g.titlePhase == 6) TitleMenuStep();
}

}  // namespace game

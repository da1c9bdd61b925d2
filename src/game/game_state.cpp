#include "game/game_state.h"

namespace game {

GameState gameState;

}  // namespace game

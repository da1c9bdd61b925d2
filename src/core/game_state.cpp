#include "core/game_state.h"

namespace game {

GameState gameState;

}  // namespace game

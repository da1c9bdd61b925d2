#include "game/run_log.h"

namespace game {

RunLog runLog;

}  // namespace game

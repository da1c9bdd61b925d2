#pragma once

namespace game {

// Enter on the title: the light back over the table, camera 8, the stage
// intro, and a new order that lays the stage out.
void StartGameFromTitle();

}  // namespace game

#pragma once
// Plays a whole game from the title to All Cleared with the keys a player
// would press, read from the screen's state alone; then back to the title
// and out, as Escape would. Headless or in the window, at any pace.
#include <string>

namespace autopilot {

// Which way through the stages: Enter on the result screen (1, 2, 5) or
// Enter during the replay (1, 2, 3, 4, 5).
enum class Route { Result, Replay };

// `stages`: end the run (as Escape does) once that many stages are finished,
// the result screen just entered; 0 plays the whole game.
void Start(Route route, int stages = 0);

// Empty while all goes well; otherwise why the game could not be won (the
// run has then been ended).
const std::string& Failure();

}  // namespace autopilot

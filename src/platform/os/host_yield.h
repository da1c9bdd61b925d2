#pragma once
// Where a turn hands the thread back to its host between turns. On the
// desktop the game owns its thread: the live pace sleeps, a headless run
// never stops. In a browser tab the page only draws, plays and takes input
// while the game is away, so every wait goes back to the browser, and a run
// without waits (headless, a timedemo) still steps away now and then.
#include <chrono>

namespace platform::os {

// Waits until `due` (at once when it has passed), giving the host its turn.
void WaitUntil(std::chrono::steady_clock::time_point due);

// A turn that does not wait: lets the host run if it has not for a while.
void LetHostRun();

// The program's exit status on its way out of main. The desktop returns it;
// in a browser tab main may have stepped away and come back, after which its
// return would end nothing, so the runtime is ended with the status there.
int ProgramEnds(int status);

}  // namespace platform::os

#include "platform/os/display_loss.h"

namespace platform::os {

// The browser owns the page the game draws into: there is no connection to
// lose, and the tab closing ends everything at once.
void SetDisplayLostHook(DisplayLostHook) {}

void WatchDisplayConnection() {}

}  // namespace platform::os

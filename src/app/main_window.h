#pragma once

namespace app {

// Registers the window class "zarn" and creates the main window, sized to
// the chosen mode and centred on the desktop.
bool CreateMainWindow(void* instance, int showCommand);

}  // namespace app

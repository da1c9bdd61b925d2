#pragma once
#include "platform/backends/backends.h"

namespace app {

// Start-up, the main loop and the orderly end. Returns the process's exit
// code: 0 after an orderly end or WM_QUIT, 1 when the window or the scene
// cannot be made. Sound, music and joystick start on the sides `backends`
// chose.
int WinMain(const platform::Backends& backends, void* instance, void* previousInstance, const char* commandLine,
            int showCommand);

}  // namespace app

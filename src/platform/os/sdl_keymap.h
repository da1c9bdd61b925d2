#pragma once
// SDL key codes to Windows virtual-key codes.
#include <SDL.h>

namespace platform::os {

// 0 for a key the game has no code for.
int VirtualKeyFromSdl(SDL_Keycode key);
// The left/right variant (VK_LSHIFT...) of a modifier key, or 0.
int SidedVirtualKeyFromSdl(SDL_Keycode key);

}  // namespace platform::os

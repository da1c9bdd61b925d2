#include "platform/os/sdl_injection.h"

#include <SDL.h>

#include "platform/os/backend.h"
#include "platform/os/sdl_keymap.h"

namespace platform::os {

namespace {

SDL_Keycode SdlKeyFor(int virtualKey) {
  for (SDL_Keycode key = SDLK_a; key <= SDLK_z; ++key)
    if (VirtualKeyFromSdl(key) == virtualKey) return key;
  for (SDL_Keycode key = SDLK_0; key <= SDLK_9; ++key)
    if (VirtualKeyFromSdl(key) == virtualKey) return key;
  for (SDL_Keycode key : {SDLK_RETURN, SDLK_ESCAPE, SDLK_SPACE, SDLK_LEFT, SDLK_UP, SDLK_RIGHT, SDLK_DOWN})
    if (VirtualKeyFromSdl(key) == virtualKey) return key;
  return SDLK_UNKNOWN;
}

}  // namespace

bool InjectKey(int virtualKey, bool down, bool alt) {
  const SDL_Keycode key = SdlKeyFor(virtualKey);
  if (key == SDLK_UNKNOWN) return false;
  SDL_Event e{};
  e.type = down ? SDL_KEYDOWN : SDL_KEYUP;
  e.key.state = down ? SDL_PRESSED : SDL_RELEASED;
  e.key.keysym.sym = key;
  e.key.keysym.scancode = SDL_GetScancodeFromKey(key);
  e.key.keysym.mod = alt ? KMOD_LALT : KMOD_NONE;
  return SDL_PushEvent(&e) == 1;
}

void InjectClose() {
  SDL_Event e{};
  e.type = SDL_QUIT;
  SDL_PushEvent(&e);
}

bool ShownFullScreen(const Window& window) {
  auto* native = static_cast<SDL_Window*>(window.native);
  return native && (SDL_GetWindowFlags(native) & SDL_WINDOW_FULLSCREEN) != 0;
}

}  // namespace platform::os

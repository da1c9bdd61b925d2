#include "platform/os/sdl_keymap.h"

#include "platform/os/keyboard.h"

namespace platform::os {

int VirtualKeyFromSdl(SDL_Keycode key) {
  if (key >= SDLK_a && key <= SDLK_z) return 'A' + (key - SDLK_a);
  if (key >= SDLK_0 && key <= SDLK_9) return '0' + (key - SDLK_0);
  if (key >= SDLK_F1 && key <= SDLK_F12) return vk::kF1 + (key - SDLK_F1);
  switch (key) {
    case SDLK_BACKSPACE: return vk::kBack;
    case SDLK_TAB: return vk::kTab;
    case SDLK_RETURN:
    case SDLK_KP_ENTER: return vk::kReturn;
    case SDLK_LSHIFT:
    case SDLK_RSHIFT: return vk::kShift;
    case SDLK_LCTRL:
    case SDLK_RCTRL: return vk::kControl;
    case SDLK_LALT:
    case SDLK_RALT: return vk::kMenu;
    case SDLK_ESCAPE: return vk::kEscape;
    case SDLK_SPACE: return vk::kSpace;
    case SDLK_LEFT: return vk::kLeft;
    case SDLK_UP: return vk::kUp;
    case SDLK_RIGHT: return vk::kRight;
    case SDLK_DOWN: return vk::kDown;
    default: return 0;
  }
}

int SidedVirtualKeyFromSdl(SDL_Keycode key) {
  switch (key) {
    case SDLK_LSHIFT: return 0xA0;
    case SDLK_RSHIFT: return 0xA1;
    case SDLK_LCTRL: return 0xA2;
    case SDLK_RCTRL: return 0xA3;
    case SDLK_LALT: return 0xA4;
    case SDLK_RALT: return 0xA5;
    default: return 0;
  }
}

}  // namespace platform::os

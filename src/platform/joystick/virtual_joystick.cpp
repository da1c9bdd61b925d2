#include "platform/joystick/virtual_joystick.h"

#include <SDL.h>

namespace platform::joystick {

struct VirtualJoystick::Impl {
  SDL_Joystick* handle = nullptr;
  SDL_JoystickID id = -1;
};

namespace {
int DeviceIndexOf(SDL_JoystickID id) {
  for (int i = 0; i < SDL_NumJoysticks(); ++i)
    if (SDL_JoystickGetDeviceInstanceID(i) == id) return i;
  return -1;
}
}  // namespace

std::unique_ptr<VirtualJoystick> VirtualJoystick::Attach(int axes, int buttons, std::string* why) {
  if (SDL_InitSubSystem(SDL_INIT_JOYSTICK) != 0) {
    if (why) *why = SDL_GetError();
    return nullptr;
  }
  int index = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_UNKNOWN, axes, buttons, 0);
  SDL_Joystick* handle = index >= 0 ? SDL_JoystickOpen(index) : nullptr;
  if (!handle) {
    if (why) *why = SDL_GetError();
    if (index >= 0) SDL_JoystickDetachVirtual(index);
    SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
    return nullptr;
  }
  std::unique_ptr<VirtualJoystick> v(new VirtualJoystick);
  v->impl_ = std::make_unique<Impl>();
  v->impl_->handle = handle;
  v->impl_->id = SDL_JoystickInstanceID(handle);
  return v;
}

VirtualJoystick::~VirtualJoystick() {
  if (!impl_) return;
  Unplug();
  SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
}

bool VirtualJoystick::SetAxis(int axis, int value) {
  if (!impl_->handle) return false;
  Sint16 v = static_cast<Sint16>(value < -32768 ? -32768 : value > 32767 ? 32767 : value);
  return SDL_JoystickSetVirtualAxis(impl_->handle, axis, v) == 0;
}

bool VirtualJoystick::SetButton(int button, bool down) {
  if (!impl_->handle) return false;
  return SDL_JoystickSetVirtualButton(impl_->handle, button, down ? SDL_PRESSED : SDL_RELEASED) == 0;
}

void VirtualJoystick::Unplug() {
  if (!impl_->handle) return;
  int index = DeviceIndexOf(impl_->id);
  if (index >= 0) SDL_JoystickDetachVirtual(index);
  SDL_JoystickClose(impl_->handle);
  impl_->handle = nullptr;
  SDL_JoystickUpdate();
}

int AttachedJoystickCount() {
  if (SDL_InitSubSystem(SDL_INIT_JOYSTICK) != 0) return -1;
  int n = SDL_NumJoysticks();
  SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
  return n;
}

}  // namespace platform::joystick

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

// An opened handle on the new joystick, holding a start of the subsystem;
// null (with a reason) when SDL cannot attach one.
SDL_Joystick* AttachOfType(SDL_JoystickType type, int axes, int buttons, int hats, std::string* why) {
  if (SDL_InitSubSystem(SDL_INIT_JOYSTICK) != 0) {
    if (why) *why = SDL_GetError();
    return nullptr;
  }
  int index = SDL_JoystickAttachVirtual(type, axes, buttons, hats);
  SDL_Joystick* handle = index >= 0 ? SDL_JoystickOpen(index) : nullptr;
  if (!handle) {
    if (why) *why = SDL_GetError();
    if (index >= 0) SDL_JoystickDetachVirtual(index);
    SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
    return nullptr;
  }
  return handle;
}

}  // namespace

std::unique_ptr<VirtualJoystick> VirtualJoystick::Wrap(void* opened) {
  if (!opened) return nullptr;
  auto* handle = static_cast<SDL_Joystick*>(opened);
  std::unique_ptr<VirtualJoystick> v(new VirtualJoystick);
  v->impl_ = std::make_unique<Impl>();
  v->impl_->handle = handle;
  v->impl_->id = SDL_JoystickInstanceID(handle);
  return v;
}

std::unique_ptr<VirtualJoystick> VirtualJoystick::Attach(int axes, int buttons, std::string* why, int hats) {
  return Wrap(AttachOfType(SDL_JOYSTICK_TYPE_UNKNOWN, axes, buttons, hats, why));
}

std::unique_ptr<VirtualJoystick> VirtualJoystick::AttachController(std::string* why) {
  return Wrap(AttachOfType(SDL_JOYSTICK_TYPE_GAMECONTROLLER, 6, 15, 0, why));
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

bool VirtualJoystick::SetHat(int hat, int x, int y) {
  if (!impl_->handle) return false;
  Uint8 value = (x < 0 ? SDL_HAT_LEFT : x > 0 ? SDL_HAT_RIGHT : 0) | (y < 0 ? SDL_HAT_UP : y > 0 ? SDL_HAT_DOWN : 0);
  return SDL_JoystickSetVirtualHat(impl_->handle, hat, value) == 0;
}

std::string VirtualJoystick::Guid() const {
  char text[33] = {};
  if (!impl_->handle) return text;
  // Mapping lines leave out the checksum of the name SDL puts in bytes 2..3.
  SDL_JoystickGUID guid = SDL_JoystickGetGUID(impl_->handle);
  guid.data[2] = guid.data[3] = 0;
  SDL_JoystickGetGUIDString(guid, text, sizeof text);
  return text;
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

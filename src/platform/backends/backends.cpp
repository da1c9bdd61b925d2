#include "platform/backends/backends.h"

#include "platform/joystick/joystick_device.h"
#include "platform/sound/sound_device.h"

namespace platform {

namespace {

void UseLiveDevices(bool live) {
  joystick::JoystickDevice::SetAutoKind(live ? joystick::DeviceKind::kLive : joystick::DeviceKind::kScripted);
  sound::Device::SetAutoKind(live ? sound::DeviceKind::kLive : sound::DeviceKind::kNone);
}

}  // namespace

bool StartBackends(const os::BackendOptions& options, std::string* error) {
  UseLiveDevices(false);
  if (!os::StartBackend(options, error)) return false;
  UseLiveDevices(!options.headless);
  return true;
}

void StopBackends() {
  os::StopBackend();
  UseLiveDevices(false);
}

}  // namespace platform

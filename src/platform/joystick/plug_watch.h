#pragma once
// Pads plugged in while the game runs. While a watch lives the joystick
// service keeps listening (live: SDL's controller subsystem stays started,
// so pads that arrive are seen), and Arrived() tells whether one came since
// the last look; the pads there when the watch began do not count.
#include "platform/joystick/joystick_device.h"

namespace platform::joystick {

class PlugWatch {
 public:
  explicit PlugWatch(DeviceKind kind);
  ~PlugWatch();
  PlugWatch(const PlugWatch&) = delete;
  PlugWatch& operator=(const PlugWatch&) = delete;

  bool Arrived();

 private:
  int Newest() const;

  DeviceKind kind_;
  bool listening_ = false;
  int seen_ = -1;
};

}  // namespace platform::joystick

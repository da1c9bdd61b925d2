#pragma once
// A joystick that exists only in software, attached to SDL's joystick
// subsystem so that the live path can be driven without hardware (tests,
// scripted runs). Axis values are SDL's (-32768..32767).
#include <memory>
#include <string>

namespace platform::joystick {

class VirtualJoystick {
 public:
  // Null (with a reason) when SDL cannot attach one.
  static std::unique_ptr<VirtualJoystick> Attach(int axes, int buttons, std::string* why = nullptr);
  ~VirtualJoystick();  // unplugs it
  VirtualJoystick(const VirtualJoystick&) = delete;
  VirtualJoystick& operator=(const VirtualJoystick&) = delete;

  bool SetAxis(int axis, int value);
  bool SetButton(int button, bool down);
  // Pulls the plug now; the destructor then has nothing left to do.
  void Unplug();

 private:
  VirtualJoystick() = default;
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

// Joysticks SDL sees now, real and virtual; -1 when its subsystem fails.
int AttachedJoystickCount();

}  // namespace platform::joystick

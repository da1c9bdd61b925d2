#pragma once
// A joystick that exists only in software, attached to SDL's joystick
// subsystem so that the live path can be driven without hardware (tests,
// scripted runs). Axis values are SDL's (-32768..32767).
#include <memory>
#include <string>

namespace platform::joystick {

class VirtualJoystick {
 public:
  // Null (with a reason) when SDL cannot attach one. A plain joystick has no
  // mapping, so it reads raw.
  static std::unique_ptr<VirtualJoystick> Attach(int axes, int buttons, std::string* why = nullptr, int hats = 0);
  // A pad SDL maps itself in the standard layout: axes 0/1 the left stick,
  // 4/5 the triggers; buttons 0..3 A, B, X, Y, 9/10 the shoulders, 11..14
  // the D-pad up, down, left, right.
  static std::unique_ptr<VirtualJoystick> AttachController(std::string* why = nullptr);
  ~VirtualJoystick();  // unplugs it
  VirtualJoystick(const VirtualJoystick&) = delete;
  VirtualJoystick& operator=(const VirtualJoystick&) = delete;

  bool SetAxis(int axis, int value);
  bool SetButton(int button, bool down);
  // The hat leaning x (-1 left .. 1 right) and y (-1 up .. 1 down).
  bool SetHat(int hat, int x, int y);
  // The model's GUID as a mapping line names it.
  std::string Guid() const;
  // Pulls the plug now; the destructor then has nothing left to do.
  void Unplug();

 private:
  VirtualJoystick() = default;
  static std::unique_ptr<VirtualJoystick> Wrap(void* opened);  // an SDL joystick handle
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

// Joysticks SDL sees now, real and virtual; -1 when its subsystem fails.
int AttachedJoystickCount();

}  // namespace platform::joystick

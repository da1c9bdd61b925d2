// The headless joystick: whatever the input script holds, read in the
// script's own units (-1000..1000, anything beyond clamped by the device).
#include "platform/joystick/joystick_source.h"
#include "platform/os/turns.h"

namespace platform::joystick {

namespace {

class ScriptedSource final : public JoystickSource {
 public:
  std::string Name() const override { return "Scripted joystick"; }
  AxisRange NativeRange() const override { return {-1000, 1000}; }
  bool Update() override { return os::GetScriptedJoystick().attached; }
  bool Read(RawReading& out) override {
    const os::ScriptedJoystick& j = os::GetScriptedJoystick();
    if (!j.attached) return false;
    out.x = j.x;
    out.y = j.y;
    out.buttons = j.buttons;
    return true;
  }
  bool Reconnect() override { return os::GetScriptedJoystick().attached; }
};

}  // namespace

std::unique_ptr<JoystickSource> OpenScriptedSource() {
  if (!os::GetScriptedJoystick().attached) return nullptr;
  return std::make_unique<ScriptedSource>();
}

}  // namespace platform::joystick

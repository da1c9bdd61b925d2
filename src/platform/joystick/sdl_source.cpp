// Live joysticks through SDL's joystick subsystem (not the game-controller
// mapping: the player assigns raw button numbers).
#include <SDL.h>

#include <algorithm>
#include <cstring>

#include "platform/joystick/joystick_source.h"

namespace platform::joystick {

namespace {

class SdlSource final : public JoystickSource {
 public:
  SdlSource(SDL_Joystick* joystick) : joystick_(joystick), guid_(SDL_JoystickGetGUID(joystick)) {
    const char* name = SDL_JoystickName(joystick);
    name_ = name ? name : "joystick";
  }
  ~SdlSource() override {
    if (joystick_) SDL_JoystickClose(joystick_);
    SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
  }

  std::string Name() const override { return name_; }
  AxisRange NativeRange() const override { return {SDL_JOYSTICK_AXIS_MIN, SDL_JOYSTICK_AXIS_MAX}; }

  bool Update() override {
    SDL_JoystickUpdate();
    return joystick_ && SDL_JoystickGetAttached(joystick_);
  }

  bool Read(RawReading& out) override {
    if (!joystick_ || !SDL_JoystickGetAttached(joystick_)) return false;
    int axes = SDL_JoystickNumAxes(joystick_);
    out.x = axes > 0 ? std::optional<int>(SDL_JoystickGetAxis(joystick_, 0)) : std::nullopt;
    out.y = axes > 1 ? std::optional<int>(SDL_JoystickGetAxis(joystick_, 1)) : std::nullopt;
    int buttons = std::clamp(SDL_JoystickNumButtons(joystick_), 0, kButtonCount);
    out.buttons = {};
    for (int b = 0; b < buttons; ++b) out.buttons[b] = SDL_JoystickGetButton(joystick_, b) != 0;
    return true;
  }

  // The same model plugged in again comes back under a new instance.
  bool Reconnect() override {
    SDL_JoystickUpdate();
    for (int i = 0; i < SDL_NumJoysticks(); ++i) {
      SDL_JoystickGUID guid = SDL_JoystickGetDeviceGUID(i);
      if (std::memcmp(&guid, &guid_, sizeof guid) != 0) continue;
      SDL_Joystick* j = SDL_JoystickOpen(i);
      if (!j) continue;
      if (joystick_) SDL_JoystickClose(joystick_);
      joystick_ = j;
      return true;
    }
    return false;
  }

 private:
  SDL_Joystick* joystick_;
  SDL_JoystickGUID guid_;
  std::string name_;
};

}  // namespace

std::unique_ptr<JoystickSource> OpenSdlSource(std::string* why) {
  if (SDL_InitSubSystem(SDL_INIT_JOYSTICK) != 0) {
    if (why) *why = SDL_GetError();
    return nullptr;
  }
  for (int i = 0; i < SDL_NumJoysticks(); ++i)
    if (SDL_Joystick* j = SDL_JoystickOpen(i)) return std::make_unique<SdlSource>(j);
  if (why) *why = "no joystick attached";
  SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
  return nullptr;
}

}  // namespace platform::joystick

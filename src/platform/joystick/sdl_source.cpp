// Live joysticks through SDL. A pad SDL has a mapping for is read in the
// standard layout, so its button numbers mean the same on every such pad;
// any other joystick is read raw (axes 0 and 1, buttons as numbered).
// Either way the D-pad (a controller's D-pad, a raw joystick's first hat)
// drives the X and Y readings while the stick rests.
#include <SDL.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/joystick/controller_mappings.h"
#include "platform/joystick/joystick_source.h"

namespace platform::joystick {

namespace {

// The standard layout's buttons in the game's numbering: the face buttons
// first (A, B, X, Y as 0..3), then the others; the triggers count as
// buttons 11 and 12. The D-pad is no button here: it drives, and on the
// button screen it moves the cursor rather than being assigned.
constexpr SDL_GameControllerButton kFrontButtons[] = {
    SDL_CONTROLLER_BUTTON_A,
    SDL_CONTROLLER_BUTTON_B,
    SDL_CONTROLLER_BUTTON_X,
    SDL_CONTROLLER_BUTTON_Y,
    SDL_CONTROLLER_BUTTON_BACK,
    SDL_CONTROLLER_BUTTON_GUIDE,
    SDL_CONTROLLER_BUTTON_START,
    SDL_CONTROLLER_BUTTON_LEFTSTICK,
    SDL_CONTROLLER_BUTTON_RIGHTSTICK,
    SDL_CONTROLLER_BUTTON_LEFTSHOULDER,
    SDL_CONTROLLER_BUTTON_RIGHTSHOULDER,
};
constexpr SDL_GameControllerAxis kTriggers[] = {SDL_CONTROLLER_AXIS_TRIGGERLEFT, SDL_CONTROLLER_AXIS_TRIGGERRIGHT};
constexpr SDL_GameControllerButton kBackButtons[] = {
    SDL_CONTROLLER_BUTTON_MISC1,   SDL_CONTROLLER_BUTTON_PADDLE1, SDL_CONTROLLER_BUTTON_PADDLE2,
    SDL_CONTROLLER_BUTTON_PADDLE3, SDL_CONTROLLER_BUTTON_PADDLE4, SDL_CONTROLLER_BUTTON_TOUCHPAD,
};
constexpr int kTriggerPressed = SDL_JOYSTICK_AXIS_MAX / 2;

// A stick within a quarter of its travel rests; the D-pad then has the axis.
constexpr int kStickRest = SDL_JOYSTICK_AXIS_MAX / 4;

// -1, 0 or 1 on each axis, as a stick would lean: up is negative.
struct Dpad {
  int x = 0, y = 0;
};

std::optional<int> WithDpad(std::optional<int> stick, int dpad) {
  if (dpad == 0 || (stick && std::abs(*stick) > kStickRest)) return stick;
  return dpad < 0 ? SDL_JOYSTICK_AXIS_MIN : SDL_JOYSTICK_AXIS_MAX;
}

class SdlSource final : public JoystickSource {
 public:
  // The subsystem is already started; the source keeps it so while it lives.
  explicit SdlSource(int index) {
    StartSdlPads(nullptr);
    Open(index);
  }
  ~SdlSource() override {
    Close();
    StopSdlPads();
  }
  bool Opened() const { return joystick_ != nullptr; }

  std::string Name() const override { return name_; }
  AxisRange NativeRange() const override { return {SDL_JOYSTICK_AXIS_MIN, SDL_JOYSTICK_AXIS_MAX}; }
  bool StandardLayout() const override { return controller_ != nullptr; }

  bool Update() override {
    SDL_JoystickUpdate();
    return joystick_ && SDL_JoystickGetAttached(joystick_);
  }

  bool Read(RawReading& out) override {
    if (!joystick_ || !SDL_JoystickGetAttached(joystick_)) return false;
    out.buttons = {};
    Dpad dpad = controller_ ? ReadController(out) : ReadRaw(out);
    out.x = WithDpad(out.x, dpad.x);
    out.y = WithDpad(out.y, dpad.y);
    return true;
  }

  // The same model plugged in again comes back under a new instance.
  bool Reconnect() override {
    SDL_JoystickUpdate();
    for (int i = 0; i < SDL_NumJoysticks(); ++i) {
      SDL_JoystickGUID guid = SDL_JoystickGetDeviceGUID(i);
      if (std::memcmp(&guid, &guid_, sizeof guid) != 0) continue;
      Close();
      if (Open(i)) return true;
    }
    return false;
  }

 private:
  bool Open(int index) {
    if (SDL_IsGameController(index)) {
      controller_ = SDL_GameControllerOpen(index);
      joystick_ = controller_ ? SDL_GameControllerGetJoystick(controller_) : nullptr;
    }
    if (!joystick_) joystick_ = SDL_JoystickOpen(index);
    if (!joystick_) return false;
    guid_ = SDL_JoystickGetGUID(joystick_);
    const char* name = controller_ ? SDL_GameControllerName(controller_) : SDL_JoystickName(joystick_);
    name_ = name ? name : "joystick";
    return true;
  }

  void Close() {
    if (controller_)
      SDL_GameControllerClose(controller_);  // closes its joystick too
    else if (joystick_)
      SDL_JoystickClose(joystick_);
    controller_ = nullptr;
    joystick_ = nullptr;
  }

  Dpad ReadController(RawReading& out) const {
    out.x = SDL_GameControllerGetAxis(controller_, SDL_CONTROLLER_AXIS_LEFTX);
    out.y = SDL_GameControllerGetAxis(controller_, SDL_CONTROLLER_AXIS_LEFTY);
    int n = 0;
    for (SDL_GameControllerButton b : kFrontButtons) out.buttons[n++] = SDL_GameControllerGetButton(controller_, b);
    for (SDL_GameControllerAxis t : kTriggers)
      out.buttons[n++] = SDL_GameControllerGetAxis(controller_, t) > kTriggerPressed;
    for (SDL_GameControllerButton b : kBackButtons) out.buttons[n++] = SDL_GameControllerGetButton(controller_, b);
    auto held = [&](SDL_GameControllerButton b) { return SDL_GameControllerGetButton(controller_, b) ? 1 : 0; };
    return {held(SDL_CONTROLLER_BUTTON_DPAD_RIGHT) - held(SDL_CONTROLLER_BUTTON_DPAD_LEFT),
            held(SDL_CONTROLLER_BUTTON_DPAD_DOWN) - held(SDL_CONTROLLER_BUTTON_DPAD_UP)};
  }

  Dpad ReadRaw(RawReading& out) const {
    int axes = SDL_JoystickNumAxes(joystick_);
    out.x = axes > 0 ? std::optional<int>(SDL_JoystickGetAxis(joystick_, 0)) : std::nullopt;
    out.y = axes > 1 ? std::optional<int>(SDL_JoystickGetAxis(joystick_, 1)) : std::nullopt;
    int buttons = std::clamp(SDL_JoystickNumButtons(joystick_), 0, kButtonCount);
    for (int b = 0; b < buttons; ++b) out.buttons[b] = SDL_JoystickGetButton(joystick_, b) != 0;
    if (SDL_JoystickNumHats(joystick_) < 1) return {};
    Uint8 hat = SDL_JoystickGetHat(joystick_, 0);
    return {((hat & SDL_HAT_RIGHT) ? 1 : 0) - ((hat & SDL_HAT_LEFT) ? 1 : 0),
            ((hat & SDL_HAT_DOWN) ? 1 : 0) - ((hat & SDL_HAT_UP) ? 1 : 0)};
  }

  SDL_GameController* controller_ = nullptr;
  SDL_Joystick* joystick_ = nullptr;  // the controller's own when there is one
  SDL_JoystickGUID guid_{};
  std::string name_;
};

static_assert(std::size(kFrontButtons) + std::size(kTriggers) + std::size(kBackButtons) <= kButtonCount);

}  // namespace

bool StartSdlPads(std::string* why) {
  // SDL forgets added mappings when its controller subsystem stops, so a
  // fresh start reads the player's again.
  const bool fresh = SDL_WasInit(SDL_INIT_GAMECONTROLLER) == 0;
  if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) {
    if (why) *why = SDL_GetError();
    return false;
  }
  if (fresh) AddPlayerControllerMappings();
  return true;
}

void StopSdlPads() { SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER); }

int NewestSdlPad() {
  SDL_JoystickUpdate();
  int newest = -1;
  for (int i = 0; i < SDL_NumJoysticks(); ++i) newest = std::max<int>(newest, SDL_JoystickGetDeviceInstanceID(i));
  return newest;
}

std::unique_ptr<JoystickSource> OpenSdlSource(std::string* why) {
  if (!StartSdlPads(why)) return nullptr;
  std::unique_ptr<SdlSource> found;
  for (int i = 0; !found && i < SDL_NumJoysticks(); ++i) {
    auto source = std::make_unique<SdlSource>(i);
    if (source->Opened()) found = std::move(source);
  }
  if (!found && why) *why = "no joystick attached";
  // Without a mapping nothing is known of its buttons, so it gets no default
  // assignment: say where the player can give one.
  if (found && !found->StandardLayout())
    std::fprintf(stderr, "zarn: %s: no pad mapping known; assign its buttons on the title's J screen\n",
                 found->Name().c_str());
  StopSdlPads();  // an opened source holds the subsystem itself
  return found;
}

}  // namespace platform::joystick

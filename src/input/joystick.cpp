#include "input/joystick.h"

#include "core/game_state.h"

namespace input {

namespace pj = platform::joystick;

namespace {

constexpr int kAxisLimit = 1000;
constexpr int kDeadZone = 100;

platform::Ref<pj::JoystickDevice> g_device;

bool ReadState(pj::JoystickState& state) {
  if (!game::gameState.joystickAvailable || !g_device) return false;
  g_device->Poll();
  return platform::Succeeded(g_device->GetState(&state));
}

}  // namespace

int InitJoystick() {
  platform::Ref<pj::JoystickDevice> device;
  if (platform::Failed(pj::JoystickDevice::Create(&device))) return 0;
  if (platform::Failed(device->SetCooperativeLevel(game::gameState.mainWindow,
                                                   pj::cooperation::kNonExclusive | pj::cooperation::kForeground)))
    return 0;
  // No dead zone is set on the device: the polls apply their own.
  device->SetAxisRange(pj::Axis::kX, -kAxisLimit, kAxisLimit);
  device->SetAxisRange(pj::Axis::kY, -kAxisLimit, kAxisLimit);
  device->Acquire();
  g_device = device;
  return 1;
}

void ReleaseJoystick() {
  if (!g_device) return;
  g_device->Unacquire();
  g_device.reset();
}

void PollJoystickButtons() {
  pj::JoystickState state;
  if (!ReadState(state)) return;
  auto& g = game::gameState;
  for (int slot = 1; slot <= 8; ++slot) {
    int button = g.buttonAssign[slot];
    bool held = NamesAButton(button) && (state.buttons[button] & 0x80);
    g.buttonDown[slot] = held ? 1 : 0;
  }
}

void PollJoystickAxes() {
  pj::JoystickState state;
  if (!ReadState(state)) return;
  auto& g = game::gameState;
  g.joyUp = state.y < -kDeadZone;
  g.joyRight = state.x > kDeadZone;
  g.joyDown = state.y > kDeadZone;
  g.joyLeft = state.x < -kDeadZone;
}

bool NamesAButton(int button) { return button >= 0 && button < pj::kButtonCount; }

void ClearDuplicateAssignments(int slot) {
  auto& assign = game::gameState.buttonAssign;
  if (slot < 1 || slot > 8) return;
  for (int other = 1; other <= 8; ++other)
    if (other != slot && assign[other] == assign[slot]) assign[other] = -1;
}

bool ReadJoystickState(pj::JoystickState* out) {
  pj::JoystickState state;
  if (!out || !ReadState(state)) return false;
  *out = state;
  return true;
}

void OnAppActivate(bool active) {
  if (!g_device) return;
  g_device->SetAppActive(active);
  if (active) g_device->Acquire();
}

}  // namespace input

#include "input/joystick.h"

#include <array>
#include <memory>

#include "core/game_state.h"
#include "platform/joystick/plug_watch.h"
#include "platform/os/debug_output.h"

namespace input {

namespace pj = platform::joystick;

namespace {

constexpr int kAxisLimit = 1000;
constexpr int kDeadZone = 100;

// The standard layout's face buttons for the four slots in the button
// screen's order: A is Enter (start, continue, next camera), as a pad's A
// confirms everywhere else; B drives, X moves arm and body, Y boom and bucket.
constexpr std::array<std::int32_t, 4> kDefaultButtons = {0, 1, 2, 3};

platform::Ref<pj::JoystickDevice> g_device;
std::unique_ptr<pj::PlugWatch> g_watch;
bool g_defaultsGiven = false;
pj::DeviceKind g_kind = pj::DeviceKind::kScripted;

bool SlotsHold(const std::array<std::int32_t, 4>& buttons) {
  for (int slot = 1; slot <= 4; ++slot)
    if (game::gameState.buttonAssign[slot] != buttons[slot - 1]) return false;
  return true;
}

void SetSlots(const std::array<std::int32_t, 4>& buttons) {
  for (int slot = 1; slot <= 4; ++slot) game::gameState.buttonAssign[slot] = buttons[slot - 1];
}

// A pad with known buttons that meets four unassigned slots plays at once;
// the button screen shows the assignment and can change it.
void GiveDefaultButtons(const pj::JoystickDevice& device) {
  if (!device.StandardLayout() || !SlotsHold({-1, -1, -1, -1})) return;
  SetSlots(kDefaultButtons);
  g_defaultsGiven = true;
}

bool Open(bool quiet) {
  platform::Ref<pj::JoystickDevice> device;
  if (platform::Failed(pj::JoystickDevice::Create(&device, g_kind, quiet))) return false;
  if (platform::Failed(device->SetCooperativeLevel(game::gameState.mainWindow,
                                                   pj::cooperation::kNonExclusive | pj::cooperation::kForeground)))
    return false;
  // No dead zone is set on the device: the polls apply their own.
  device->SetAxisRange(pj::Axis::kX, -kAxisLimit, kAxisLimit)
      .Ignore("a refused range leaves the device's own; the polls clamp to the limit");
  device->SetAxisRange(pj::Axis::kY, -kAxisLimit, kAxisLimit)
      .Ignore("a refused range leaves the device's own; the polls clamp to the limit");
  device->Acquire().Ignore("a joystick not acquired now reads as idle until it is");
  g_device = device;
  GiveDefaultButtons(*device);
  platform::os::OutputDebugString("joystick: " + device->Name() +
                                  (device->StandardLayout() ? " (standard layout)\n" : " (raw buttons)\n"));
  return true;
}

// An unplugged pad lets go of everything it held, so nothing drives on by
// itself; the next pad plugged in is taken up afresh.
void LetGo() {
  auto& g = game::gameState;
  g.joyUp = g.joyDown = g.joyLeft = g.joyRight = false;
  for (int slot = 1; slot <= 8; ++slot) g.buttonDown[slot] = false;
  g.joystickAvailable = false;
  platform::os::OutputDebugString("joystick: " + g_device->Name() + " unplugged\n");
  g_device.reset();
}

bool ReadState(pj::JoystickState& state) {
  if (!game::gameState.joystickAvailable || !g_device) return false;
  platform::HResult hr = g_device->Poll();
  if (platform::Succeeded(hr)) hr = g_device->GetState(&state);
  if (hr == pj::kInputLost) LetGo();
  return platform::Succeeded(hr);
}

}  // namespace

bool InitJoystick(pj::DeviceKind kind) {
  g_kind = kind;
  g_watch = std::make_unique<pj::PlugWatch>(kind);
  return Open(false);
}

void TakeUpPluggedJoystick() {
  if (!g_watch || g_device || !g_watch->Arrived()) return;
  if (Open(true)) game::gameState.joystickAvailable = true;
}

void ForgetUntouchedDefaults() {
  // The configuration file keeps only what the player chose: a default
  // nobody changed is saved as "none", as it was read.
  if (g_defaultsGiven && SlotsHold(kDefaultButtons)) SetSlots({-1, -1, -1, -1});
  g_defaultsGiven = false;
}

void ReleaseJoystick() {
  ForgetUntouchedDefaults();
  if (g_device) g_device->Unacquire().Ignore("the device is let go next in any case");
  g_device.reset();
  g_watch.reset();
}

void PollJoystickButtons() {
  pj::JoystickState state;
  if (!ReadState(state)) return;
  auto& g = game::gameState;
  for (int slot = 1; slot <= 8; ++slot) {
    int button = g.buttonAssign[slot];
    bool held = NamesAButton(button) && (state.buttons[button] & 0x80);
    g.buttonDown[slot] = held;
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
  // Unplugged while in the background: let go now rather than keep its
  // last readings.
  if (active && g_device->Acquire() == pj::kInputLost && game::gameState.joystickAvailable) LetGo();
}

}  // namespace input

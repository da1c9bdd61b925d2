#include "platform/joystick/joystick_device.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace platform::joystick {

namespace {
bool ExactlyOne(std::uint32_t flags, std::uint32_t a, std::uint32_t b) {
  return ((flags & a) != 0) != ((flags & b) != 0);
}
}  // namespace

JoystickDevice::JoystickDevice(std::unique_ptr<JoystickSource> source)
    : source_(std::move(source)), name_(source_->Name()), native_(source_->NativeRange()) {}

JoystickDevice::~JoystickDevice() = default;

HResult JoystickDevice::Create(Ref<JoystickDevice>* out, DeviceKind kind, bool quiet) {
  if (!out) return kInvalidParam;
  std::unique_ptr<JoystickSource> source = kind == DeviceKind::kLive ? OpenSdlSource(nullptr) : OpenScriptedSource();
  if (!source) {
    if (kind == DeviceKind::kLive && !quiet)
      std::fputs("zarn: no joystick found; playing with the keyboard until one is plugged in\n", stderr);
    return kDeviceNotRegistered;
  }
  *out = MakeRef<JoystickDevice>(std::move(source));
  return kOk;
}

HResult JoystickDevice::SetCooperativeLevel(const os::Window* window, std::uint32_t flags) {
  using namespace cooperation;
  constexpr std::uint32_t kKnown = kExclusive | kNonExclusive | kForeground | kBackground;
  if ((flags & ~kKnown) != 0 || !ExactlyOne(flags, kExclusive, kNonExclusive) ||
      !ExactlyOne(flags, kForeground, kBackground))
    return kInvalidParam;
  if (!window && (flags & (kExclusive | kForeground))) return kInvalidParam;
  if (acquired_) return kAcquired;
  cooperation_ = flags;
  return kOk;
}

HResult JoystickDevice::SetAxisRange(Axis axis, int min, int max) {
  if (min >= max) return kInvalidParam;
  range_[static_cast<int>(axis)] = {min, max};
  return kOk;
}

HResult JoystickDevice::Acquire() {
  if (acquired_) return kNoEffect;
  if ((cooperation_ & cooperation::kForeground) && !appActive_) return kOtherAppHasPriority;
  // An unplugged joystick that was plugged in again can be taken up anew.
  if (!source_->Update() && !source_->Reconnect()) return kInputLost;
  acquired_ = true;
  return kOk;
}

HResult JoystickDevice::Unacquire() {
  if (!acquired_) return kNoEffect;
  acquired_ = false;
  return kOk;
}

HResult JoystickDevice::LoseInput() {
  acquired_ = false;
  return kInputLost;
}

HResult JoystickDevice::Poll() {
  if (!acquired_) return kNotAcquired;
  return source_->Update() ? kOk : LoseInput();
}

HResult JoystickDevice::GetState(JoystickState* out) {
  if (!out) return kInvalidParam;
  if (!acquired_) return kNotAcquired;
  RawReading raw;
  if (!source_->Read(raw)) return LoseInput();
  out->x = Scale(raw.x, Axis::kX);
  out->y = Scale(raw.y, Axis::kY);
  for (int b = 0; b < kButtonCount; ++b) out->buttons[b] = raw.buttons[b] ? 0x80 : 0x00;
  return kOk;
}

void JoystickDevice::SetAppActive(bool active) {
  appActive_ = active;
  if (!active && (cooperation_ & cooperation::kForeground)) acquired_ = false;
}

// A missing axis rests at the middle of its range, as a centred stick would.
std::int32_t JoystickDevice::Scale(const std::optional<int>& value, Axis axis) const {
  const AxisRange& to = range_[static_cast<int>(axis)];
  double span = static_cast<double>(to.max) - to.min;
  if (!value || native_.max <= native_.min) return static_cast<std::int32_t>(std::floor(to.min + span / 2));
  double v = std::clamp(*value, native_.min, native_.max);
  double t = (v - native_.min) / (static_cast<double>(native_.max) - native_.min);
  return static_cast<std::int32_t>(std::clamp<double>(std::lround(to.min + t * span), to.min, to.max));
}

}  // namespace platform::joystick

#pragma once
// The joystick service: one device object for the first attached joystick.
// It must be acquired before it can be read; a read fails while it is not
// acquired, after it was unplugged, and (with foreground cooperation) while
// the program is in the background. Reads give the X and Y axes scaled to a
// range the caller sets, and 32 buttons with 0x80 while held.
#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/joystick/joystick_result.h"
#include "platform/joystick/joystick_source.h"
#include "platform/ref.h"

namespace platform::os {
class Window;
}

namespace platform::joystick {

struct JoystickState {
  std::int32_t x = 0, y = 0;
  std::array<std::uint8_t, kButtonCount> buttons{};  // 0x80 while held
};

// Cooperation flags, with their original values.
namespace cooperation {
constexpr std::uint32_t kExclusive = 0x1;
constexpr std::uint32_t kNonExclusive = 0x2;
constexpr std::uint32_t kForeground = 0x4;
constexpr std::uint32_t kBackground = 0x8;
}  // namespace cooperation

enum class Axis { kX, kY };

// Which joystick Create looks for: SDL's joysticks (a live run) or the one
// the input script plays (headless). The start-up chooses (platform/backends).
enum class DeviceKind { kLive, kScripted };

class JoystickDevice : public RefCounted {
 public:
  explicit JoystickDevice(std::unique_ptr<JoystickSource> source);
  ~JoystickDevice() override;

  // kDeviceNotRegistered when no joystick is attached or none opens; a live
  // look then says so on standard error unless told to keep quiet.
  static HResult Create(Ref<JoystickDevice>* out, DeviceKind kind, bool quiet = false);

  const std::string& Name() const { return name_; }
  // Buttons numbered by the standard pad layout (A, B, X, Y as 0..3).
  bool StandardLayout() const { return source_->StandardLayout(); }

  // Exactly one of exclusive/non-exclusive and one of foreground/background;
  // foreground and exclusive need the window. kAcquired while acquired.
  HResult SetCooperativeLevel(const os::Window* window, std::uint32_t flags);
  // Readings of the axis are scaled to min..max (min < max) and clamped.
  // Until set, an axis reads 0..65535.
  HResult SetAxisRange(Axis axis, int min, int max);

  HResult Acquire();    // kNoEffect when already acquired
  HResult Unacquire();  // kNoEffect when not acquired
  bool Acquired() const { return acquired_; }

  // Fetches new input. kNotAcquired / kInputLost (the device was unplugged;
  // it is then no longer acquired).
  HResult Poll();
  // The state fetched by the last poll; fails as Poll does, leaving *out as
  // it was.
  HResult GetState(JoystickState* out);

  // The program went to the background (false) or came back (true). With
  // foreground cooperation, going to the background unacquires the device
  // and Acquire is refused until it comes back; coming back does not
  // re-acquire by itself.
  void SetAppActive(bool active);

 private:
  HResult LoseInput();
  std::int32_t Scale(const std::optional<int>& value, Axis axis) const;

  std::unique_ptr<JoystickSource> source_;
  std::string name_;
  AxisRange native_;
  std::array<AxisRange, 2> range_{AxisRange{0, 65535}, AxisRange{0, 65535}};
  std::uint32_t cooperation_ = cooperation::kNonExclusive | cooperation::kBackground;
  bool acquired_ = false;
  bool appActive_ = true;
};

}  // namespace platform::joystick

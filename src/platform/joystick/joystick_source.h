#pragma once
// Where a joystick device gets its readings: SDL's joystick subsystem (live)
// or the joystick an input script plays (headless). Private to this folder,
// except that tests may hand a device a source of their own.
#include <array>
#include <memory>
#include <optional>
#include <string>

namespace platform::joystick {

constexpr int kButtonCount = 32;

struct AxisRange {
  int min = 0, max = 0;
};

// One reading in the source's own units. An axis the device lacks is empty;
// buttons past the device's own count stay released.
struct RawReading {
  std::optional<int> x, y;
  std::array<bool, kButtonCount> buttons{};
};

class JoystickSource {
 public:
  virtual ~JoystickSource() = default;
  virtual std::string Name() const = 0;
  virtual AxisRange NativeRange() const = 0;
  // Fetches new input from the device; false when it is gone.
  virtual bool Update() = 0;
  // The input fetched last; false when the device is gone.
  virtual bool Read(RawReading& out) = 0;
  // Looks for the device again after it was unplugged; true when it is back.
  virtual bool Reconnect() = 0;
  // True when the buttons are numbered by the standard pad layout (A, B, X,
  // Y as 0..3), not by what the device happens to report.
  virtual bool StandardLayout() const { return false; }
};

// The first attached SDL joystick that opens; null (with a reason) when none.
std::unique_ptr<JoystickSource> OpenSdlSource(std::string* why);
// SDL's controller subsystem, started with the player's mappings (counted:
// each start wants its stop), and the newest joystick it sees now (its
// instance number, which grows with every plug-in; -1 when none).
bool StartSdlPads(std::string* why);
void StopSdlPads();
int NewestSdlPad();
// The scripted joystick; null when the script plays none.
std::unique_ptr<JoystickSource> OpenScriptedSource();

}  // namespace platform::joystick

#include "app/config_file.h"

#include <cmath>
#include <cstdio>
#include <limits>

#include "core/game_state.h"
#include "platform/os/debug_output.h"
#include "platform/os/profile.h"
#include "platform/os/user_folders.h"

namespace app {

namespace {
constexpr std::size_t kValueBuffer = 50;
constexpr const char* kButtonKeys[] = {"Key_[1]", "Key_[2]", "Key_[3]", "Key_[4]"};

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }
}  // namespace

std::int32_t TextToInt(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  std::int64_t value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    value = value * 10 + (text[i] - '0');
    if (value > std::int64_t{1} << 32) value = std::int64_t{1} << 32;  // already beyond range
  }
  if (negative) value = -value;
  value = std::max<std::int64_t>(value, std::numeric_limits<std::int32_t>::min());
  value = std::min<std::int64_t>(value, std::numeric_limits<std::int32_t>::max());
  return static_cast<std::int32_t>(value);
}

std::int32_t TruncateToInt(float value) {
  if (std::isnan(value)) return 0;
  if (value >= 2147483647.0f) return std::numeric_limits<std::int32_t>::max();
  if (value <= -2147483648.0f) return std::numeric_limits<std::int32_t>::min();
  return static_cast<std::int32_t>(value);
}

namespace {
std::string ConfigFileName() { return platform::os::ProgramName() + ".ini"; }
}  // namespace

// Beside the executable as the game always had it; an installed game whose
// folder is not its to write keeps it in the user's config folder instead.
std::string ConfigFilePath() { return platform::os::PlaceToWrite(ConfigFileName(), platform::os::UserFolder::kConfig); }

void ReadConfigFile() {
  game::GameState& g = game::gameState;
  std::string path = platform::os::PlaceToRead(ConfigFileName(), platform::os::UserFolder::kConfig);
  std::string speed = platform::os::GetPrivateProfileString(
      kConfigSection, "SPEED", std::to_string(TruncateToInt(g.speedFactor)), kValueBuffer, path);
  g.speedFactor = static_cast<float>(TextToInt(speed));
  for (int slot = 1; slot <= 4; ++slot) {
    std::string text = platform::os::GetPrivateProfileString(kConfigSection, kButtonKeys[slot - 1],
                                                             std::to_string(g.buttonAssign[slot]), kValueBuffer, path);
    // Kept as read, whatever the number: one that names no button is simply
    // never held (the joystick poll looks only at its 32 buttons), and the
    // file gets the same number back unless the player assigns the slot.
    g.buttonAssign[slot] = TextToInt(text);
  }
  if (g.speedFactor == 5.0f) g.speedFactor = 100.0f;
  g.speedFactor /= 20.0f;
}

bool WriteConfigFile() {
  const game::GameState& g = game::gameState;
  // All keys in one replacement of the file: a run killed while saving
  // leaves the old settings or the new, never a mix.
  const std::string speed = std::to_string(TruncateToInt(g.speedFactor * 20.0f));
  std::string buttons[4];
  platform::os::ProfileKey keys[5] = {{"SPEED", speed}};
  for (int slot = 1; slot <= 4; ++slot) {
    buttons[slot - 1] = std::to_string(g.buttonAssign[slot]);
    keys[slot] = {kButtonKeys[slot - 1], buttons[slot - 1]};
  }
  std::string error;
  const std::string path = ConfigFilePath();
  platform::os::MakeFolderFor(path);
  const bool ok = platform::os::WritePrivateProfileKeys(kConfigSection, keys, path, &error);
  if (!ok) {
    std::string line = "cannot write the configuration file, the settings were not saved: " + error + "\n";
    platform::os::OutputDebugString(line);
    std::fputs(line.c_str(), stderr);
  }
  return ok;
}

}  // namespace app

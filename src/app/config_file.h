#pragma once
// The configuration file: the speed and four joystick button assignments,
// in an INI file named after the executable and lying beside it.
#include <cstdint>
#include <string>
#include <string_view>

namespace app {

constexpr const char* kConfigSection = "Zarn_Section";

// "<name>.ini" beside the executable (read there first), or in the user's
// config folder when the executable's folder cannot be written: where it is
// written.
std::string ConfigFilePath();
// Reads "SPEED" and "Key_[1]".."Key_[4]" into the game record (start-up
// steps 3 to 5).
void ReadConfigFile();
// Writes them back at the orderly end; false (reported once on the debug
// output and standard error) when the file cannot be written.
bool WriteConfigFile();

// The C library's atoi without its undefined overflow: leading blanks, an
// optional sign, digits up to the first other character; no digits give 0;
// values beyond 32 bits saturate.
std::int32_t TextToInt(std::string_view text);
// A float truncated toward zero into 32 bits, saturating (NaN gives 0).
std::int32_t TruncateToInt(float value);

}  // namespace app

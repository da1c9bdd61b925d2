#pragma once
// Mappings that make a pad readable in the standard layout, beyond those SDL
// knows itself: a "gamecontrollerdb.txt" the player keeps beside the game or
// in its configuration folder, and SDL_GAMECONTROLLERCONFIG, which wins over
// the file since it is set for one run. Needs SDL's game-controller
// subsystem started.
#include <string>
#include <string_view>

namespace platform::joystick {

inline constexpr const char* kMappingFileName = "gamecontrollerdb.txt";

// Adds every mapping line of `text` meant for this system (a line for
// another platform is passed over; blank lines and '#' comments too).
// Returns what was wrong, for a message after the source's name: "" when
// every line was taken, else how many lines were not mappings and the first.
std::string AddControllerMappings(std::string_view text);

// Adds the mappings of the file at `path`. Returns what was wrong, for a
// message after the file's name: the file could not be read, or some lines
// were bad; "" when all is well or there is no such file.
std::string AddControllerMappingFile(const std::string& path);

// The player's file (beside the game, else in the configuration folder),
// then SDL_GAMECONTROLLERCONFIG again; whatever was wrong is said on
// standard error, once per file.
void AddPlayerControllerMappings();

}  // namespace platform::joystick

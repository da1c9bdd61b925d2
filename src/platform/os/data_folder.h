#pragma once
// Where the game's own read-only files lie: the models, sounds, music and
// the attract demo. A built game has them in its run folder and reads them
// from the working folder, started there; an installed game finds its data
// folder from where its executable lies, so it can be started from any
// folder and keep that folder for the files named on its command line.
#include <string>

namespace platform::os {

// The installed data folder with its trailing '/' when the executable lies
// where it was installed beside one; "" otherwise: the working folder.
std::string DataFolder();

// True for a game started from an installation (DataFolder() is not ""):
// it never writes among its installed files, even when it could (as root).
bool RunsInstalled();

// The path to open one of the game's own files by.
std::string DataFile(const std::string& fileName);

}  // namespace platform::os

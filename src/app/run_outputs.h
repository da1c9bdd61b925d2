#pragma once
// What a scripted run leaves behind: the game state as JSON and the last
// picture as PNG, as the command line asked.
#include <string>

namespace app {

// False when any requested output could not be written (each failure said
// on standard error): the run then ends with core::kExitOutputFailed.
bool WriteRunOutputs();
// The state dump's text: every field of the game record by name, and the
// pose of every named scene frame.
std::string StateJson();

}  // namespace app

#pragma once
// What a scripted run leaves behind: the game state as JSON and the last
// picture as PNG, as the command line asked.
#include <string>

namespace app {

void WriteRunOutputs();
// The state dump's text: every field of the game record by name, and the
// pose of every named scene frame.
std::string StateJson();

}  // namespace app

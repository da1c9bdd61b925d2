#pragma once
// A screenshot taken while playing: the picture the window shows, as a PNG in
// the player's pictures folder (the working folder when there is none).
#include <string>

#include "platform/os/window.h"

namespace platform::os {

// Writes "zarn-<date>-<time>.png" (numbered when taken twice in a second) and
// says where on standard error, or why not. The path written, empty when
// nothing was.
std::string SaveScreenshot(const Picture& picture);

}  // namespace platform::os

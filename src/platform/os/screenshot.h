#pragma once
// A screenshot taken while playing: the picture the window shows, as a PNG in
// the player's pictures folder (the working folder when there is none).
#include <string>

#include "platform/os/window.h"

namespace platform::os {

// Writes "zarn-<date>-<time>.png" (numbered when taken twice in a second),
// creating the pictures folder when missing, and says where on standard
// error, or why not. Returns that line, to be shown on screen as well.
std::string SaveScreenshot(const Picture& picture);

}  // namespace platform::os

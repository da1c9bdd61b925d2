#pragma once
#include <string>

#include "platform/os/window.h"

namespace platform::os {
// Writes a picture as an 8-bit RGB PNG; false with a reason on failure.
bool WritePng(const std::string& path, const Picture& picture, std::string* error);
}  // namespace platform::os

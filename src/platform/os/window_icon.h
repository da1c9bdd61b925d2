#pragma once
// The window icon, as the window and the desktop entry both show it.
#include <cstdint>

#include "platform/os/window.h"

namespace platform::os {

// The icon's background: pure green, shown as see-through.
constexpr std::uint32_t kIconBackground = 0x00FF00;

// The built-in icon resource as a picture; empty when it cannot be read.
Picture WindowIconPicture();

}  // namespace platform::os

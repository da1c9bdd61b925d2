#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "platform/os/window.h"

namespace platform::os {
// Writes a picture as an 8-bit RGB PNG, with `transparent` (0x00RRGGBB)
// marked see-through when given; false with a reason on failure.
bool WritePng(const std::string& path, const Picture& picture, std::string* error,
              std::optional<std::uint32_t> transparent = std::nullopt);
}  // namespace platform::os

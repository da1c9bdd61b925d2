#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "platform/os/window.h"

namespace platform::os {
// The picture as an 8-bit RGB PNG file's bytes, with `transparent`
// (0x00RRGGBB) marked see-through when given; false with a reason when there
// is no picture or libpng fails.
bool EncodePng(const Picture& picture, std::string* bytes, std::string* error,
               std::optional<std::uint32_t> transparent = std::nullopt);
// Encodes and writes it as WriteFileAtomically does; false with a reason.
bool WritePng(const std::string& path, const Picture& picture, std::string* error,
              std::optional<std::uint32_t> transparent = std::nullopt);
}  // namespace platform::os

#pragma once
#include <string>

#include "platform/os/window.h"

namespace platform::os {
// The picture as an 8-bit RGB PNG file's bytes; false with a reason when
// there is no picture or libpng fails.
bool EncodePng(const Picture& picture, std::string* bytes, std::string* error);
// Encodes and writes it as WriteFileAtomically does; false with a reason.
bool WritePng(const std::string& path, const Picture& picture, std::string* error);
}  // namespace platform::os

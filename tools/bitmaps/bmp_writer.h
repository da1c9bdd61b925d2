#pragma once
// Writes 8-bit uncompressed bitmap files with a full 256-entry colour table,
// rows stored bottom-up as Windows expects of resource bitmaps.
#include <cstdint>
#include <string>
#include <vector>

#include "artwork_palette.h"
#include "canvas.h"

namespace bitmaps {

std::vector<std::uint8_t> EncodeBmp8(const Canvas& canvas, const Palette& palette);

// False (with a message on stderr) when the file cannot be written.
bool WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes);

}  // namespace bitmaps

#pragma once
// Reader of Windows bitmap files held in memory: 8 bits per pixel with a
// colour table, or 24 bits per pixel, uncompressed, bottom-up or top-down.
// Every size and count in the file is checked before use, so a damaged or
// hostile file yields an error text, never a crash or an outsized allocation.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace platform::os {

struct BmpColour {
  std::uint8_t red = 0, green = 0, blue = 0;
};

struct BmpImage {
  int width = 0;
  int height = 0;
  int bitsPerPixel = 0;            // 8 or 24
  std::vector<BmpColour> palette;  // the colour table (8-bit images only)
  // Rows from the top, without padding: one palette index per pixel for
  // 8-bit images, red, green, blue bytes per pixel for 24-bit images.
  std::vector<std::uint8_t> pixels;
};

struct BmpReadResult {
  BmpImage image;
  std::string error;  // empty on success
  bool ok() const { return error.empty(); }
};

// Largest width or height accepted.
constexpr int kMaxBmpDimension = 16384;

BmpReadResult ReadBmp(std::span<const std::uint8_t> file);

}  // namespace platform::os

#pragma once
// Packing 8-bit colour channels into the pixel formats the device renders to,
// and back: RGB565 for 16 bits, three bytes blue-green-red for 24 bits.
#include <cstdint>

namespace platform::rm::raster {

inline std::uint16_t Pack565(unsigned r, unsigned g, unsigned b) {
  return static_cast<std::uint16_t>(((r & 0xF8u) << 8) | ((g & 0xFCu) << 3) | (b >> 3));
}

// Expands with the top bits repeated, so white stays 255 after a round trip.
inline void Unpack565(std::uint16_t p, unsigned& r, unsigned& g, unsigned& b) {
  unsigned r5 = p >> 11, g6 = (p >> 5) & 0x3Fu, b5 = p & 0x1Fu;
  r = (r5 << 3) | (r5 >> 2);
  g = (g6 << 2) | (g6 >> 4);
  b = (b5 << 3) | (b5 >> 2);
}

inline void Store888(std::uint8_t* p, unsigned r, unsigned g, unsigned b) {
  p[0] = static_cast<std::uint8_t>(b);
  p[1] = static_cast<std::uint8_t>(g);
  p[2] = static_cast<std::uint8_t>(r);
}

}  // namespace platform::rm::raster

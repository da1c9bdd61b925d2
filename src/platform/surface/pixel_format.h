#pragma once
// The three pixel formats of our surfaces and the conversions every writer and
// reader of pixels shares: 8 bits (palette index), 16 bits (RGB565, little
// endian) and 24 bits (blue, green, red bytes).
#include <array>
#include <cstdint>

#include "platform/surface/surface.h"

namespace platform::surface {

// Every bit of a pixel of the given depth: what a colour key or a fill
// colour is masked with, so that 0xFFFFFF means white in 16 and 24 bits
// and index 255 in 8 bits.
constexpr std::uint32_t PixelMask(int bitsPerPixel) {
  return bitsPerPixel >= 32 ? 0xFFFFFFFFu : (1u << bitsPerPixel) - 1u;
}

constexpr std::uint16_t PackRgb565(unsigned r, unsigned g, unsigned b) {
  return static_cast<std::uint16_t>(((r & 0xF8u) << 8) | ((g & 0xFCu) << 3) | ((b & 0xFFu) >> 3));
}

// 0x00RRGGBB, with the top bits repeated into the low ones so that white
// stays 255 and black 0.
constexpr std::uint32_t ExpandRgb565(std::uint16_t p) {
  std::uint32_t r5 = p >> 11, g6 = (p >> 5) & 0x3Fu, b5 = p & 0x1Fu;
  std::uint32_t r = (r5 << 3) | (r5 >> 2), g = (g6 << 2) | (g6 >> 4), b = (b5 << 3) | (b5 >> 2);
  return (r << 16) | (g << 8) | b;
}

// A 24-bit pixel as the value a colour key or fill colour names: 0x00RRGGBB.
constexpr std::uint32_t PackRgb888(unsigned r, unsigned g, unsigned b) {
  return ((r & 0xFFu) << 16) | ((g & 0xFFu) << 8) | (b & 0xFFu);
}

inline void StoreRgb888(std::uint8_t* p, std::uint32_t rgb) {
  p[0] = static_cast<std::uint8_t>(rgb);
  p[1] = static_cast<std::uint8_t>(rgb >> 8);
  p[2] = static_cast<std::uint8_t>(rgb >> 16);
}

inline std::uint32_t LoadRgb888(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
         (static_cast<std::uint32_t>(p[2]) << 16);
}

// One pixel of a surface as a number of its own format (index, 565 or 888).
inline std::uint32_t LoadPixel(const std::uint8_t* p, int bytesPerPixel) {
  switch (bytesPerPixel) {
    case 1: return p[0];
    case 2: return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8);
    case 3: return LoadRgb888(p);
    default:
      return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
             (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
  }
}

inline void StorePixel(std::uint8_t* p, int bytesPerPixel, std::uint32_t value) {
  for (int i = 0; i < bytesPerPixel; ++i) p[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

// The index of the entry nearest to a colour: a plain search over the 256
// entries, for single colours (a GDI brush, a fill).
std::uint8_t NearestPaletteIndex(const std::array<PaletteEntry, 256>& entries, unsigned r, unsigned g, unsigned b);

// The same for many pixels: a table over RGB555 (32768 cells), rebuilt when
// the palette's colours change. Building takes some milliseconds, so it suits
// palettes that change between frames, not within one.
class NearestPaletteTable {
 public:
  // Rebuilds when the colours differ from those of the last build (the
  // colours are compared, not the palette's address, so a new
  // palette at a freed one's address cannot leave a stale table); true when
  // it rebuilt.
  bool Update(const Palette& palette) { return Update(palette.Entries()); }
  bool Update(const std::array<PaletteEntry, 256>& entries);

  std::uint8_t Index(unsigned r, unsigned g, unsigned b) const { return table_[Cell(r, g, b)]; }
  // The cell a colour falls into, and the cells in order (for vector
  // loops that look up several at once).
  static unsigned Cell(unsigned r, unsigned g, unsigned b) {
    return ((r & 0xF8u) << 7) | ((g & 0xF8u) << 2) | ((b & 0xFFu) >> 3);
  }
  const std::uint8_t* Cells() const { return table_.data(); }

 private:
  bool built_ = false;
  std::array<std::uint8_t, 3 * 256> colours_{};
  std::array<std::uint8_t, 32768> table_{};
};

}  // namespace platform::surface

#pragma once
// The palette an 8-bit display starts from: the 20 static colours of the
// Windows system palette at 0-9 and 246-255, black elsewhere. Overlay bitmaps
// are painted with these indices so that their colours survive in 8-bit
// modes, where blits copy indices unchanged; the 3D device fills 10-245.
#include <array>

#include "platform/surface/surface.h"

namespace platform::surface {

inline std::array<PaletteEntry, 256> SystemPaletteEntries() {
  std::array<PaletteEntry, 256> e{};
  const PaletteEntry low[10] = {{0, 0, 0, 0},       {128, 0, 0, 0},    {0, 128, 0, 0},   {128, 128, 0, 0},
                                {0, 0, 128, 0},     {128, 0, 128, 0},  {0, 128, 128, 0}, {192, 192, 192, 0},
                                {192, 220, 192, 0}, {166, 202, 240, 0}};
  const PaletteEntry high[10] = {{255, 251, 240, 0}, {160, 160, 164, 0}, {128, 128, 128, 0}, {255, 0, 0, 0},
                                 {0, 255, 0, 0},     {255, 255, 0, 0},   {0, 0, 255, 0},     {255, 0, 255, 0},
                                 {0, 255, 255, 0},   {255, 255, 255, 0}};
  for (int i = 0; i < 10; ++i) {
    e[i] = low[i];
    e[246 + i] = high[i];
  }
  return e;
}

// Indices of the static colours the overlay artwork uses.
namespace system_colour {
constexpr int kBlack = 0;
constexpr int kDarkGreen = 2;
constexpr int kGrey = 248;
constexpr int kRed = 249;
constexpr int kGreen = 250;
constexpr int kYellow = 251;
constexpr int kBlue = 252;
constexpr int kCyan = 254;
constexpr int kWhite = 255;
}  // namespace system_colour

}  // namespace platform::surface

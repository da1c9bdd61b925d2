#pragma once
// Overlay positions are given on an 800 x 600 screen and scaled to the
// display mode; sizes of glyphs and bitmaps are not scaled.
#include "core/game_state.h"

namespace overlay {

constexpr int kVirtualWidth = 800;
constexpr int kVirtualHeight = 600;

inline int RealX(int virtualX) {
  return static_cast<int>(static_cast<long long>(game::gameState.displayWidth) * virtualX / kVirtualWidth);
}
inline int RealY(int virtualY) {
  return static_cast<int>(static_cast<long long>(game::gameState.displayHeight) * virtualY / kVirtualHeight);
}

}  // namespace overlay

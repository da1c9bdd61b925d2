#pragma once
// Colours of faces, lights and the scene background: floats in [0, 1].
// Packed colours are 0xAARRGGBB, 8 bits each.
#include <algorithm>
#include <cstdint>

namespace platform::rm {

struct Color {
  float r = 1, g = 1, b = 1, a = 1;

  friend bool operator==(const Color&, const Color&) = default;
};

inline Color ColorFromArgb(std::uint32_t argb) {
  auto channel = [argb](int shift) { return static_cast<float>((argb >> shift) & 0xFFu) / 255.0f; };
  return {channel(16), channel(8), channel(0), channel(24)};
}

// Components outside [0, 1] are clamped; NaN becomes 0.
inline Color ClampColor(Color c) {
  auto clamp01 = [](float v) { return v >= 0.0f ? std::min(v, 1.0f) : 0.0f; };
  return {clamp01(c.r), clamp01(c.g), clamp01(c.b), clamp01(c.a)};
}

}  // namespace platform::rm

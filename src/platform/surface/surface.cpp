#include "platform/surface/surface.h"

#include <algorithm>

namespace platform::surface {

namespace {
int BytesFor(int bitsPerPixel, std::uint32_t caps) {
  if (caps & caps::kZBuffer) return 4;
  return std::max(1, (bitsPerPixel + 7) / 8);
}
}  // namespace

Surface::Surface(int width, int height, int bitsPerPixel, std::uint32_t caps)
    : width_(std::max(0, width)),
      height_(std::max(0, height)),
      bitsPerPixel_(bitsPerPixel),
      bytesPerPixel_(BytesFor(bitsPerPixel, caps)),
      pitch_(width_ * bytesPerPixel_),
      caps_(caps),
      pixels_(static_cast<std::size_t>(pitch_) * height_) {}

}  // namespace platform::surface

#include "platform/os/picture_placement.h"

#include <cstdint>

namespace platform::os {

Rect FitCentred(int canvasWidth, int canvasHeight, int outputWidth, int outputHeight) {
  if (canvasWidth <= 0 || canvasHeight <= 0 || outputWidth <= 0 || outputHeight <= 0) return {};
  // Compared crosswise in 64 bits: no rounding decides which side limits.
  std::int64_t w = outputWidth, h = outputHeight;
  if (w * canvasHeight > h * canvasWidth) {
    w = h * canvasWidth / canvasHeight;
  } else {
    h = w * canvasHeight / canvasWidth;
  }
  int left = static_cast<int>((outputWidth - w) / 2), top = static_cast<int>((outputHeight - h) / 2);
  return {left, top, left + static_cast<int>(w), top + static_cast<int>(h)};
}

}  // namespace platform::os

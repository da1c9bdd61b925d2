#include "platform/os/window_fit.h"

#include <algorithm>

namespace platform::os {

namespace {

// The start of a span of `size` placed at `start` and moved inside
// [low, high] as far as it can go; a span longer than the room starts at low.
int Inside(int start, int size, int low, int high) { return std::max(low, std::min(start, high - size)); }

}  // namespace

Rect FitWindowToDesktop(Rect wanted, Rect usable, FrameExtents frame) {
  const int roomLeft = usable.left + frame.left, roomTop = usable.top + frame.top;
  const int roomWidth = usable.Width() - frame.left - frame.right;
  const int roomHeight = usable.Height() - frame.top - frame.bottom;
  int width = wanted.Width(), height = wanted.Height();
  if (roomWidth <= 0 || roomHeight <= 0 || width <= 0 || height <= 0) return wanted;
  if (width <= roomWidth && height <= roomHeight) {
    const int left = Inside(wanted.left, width, roomLeft, roomLeft + roomWidth);
    const int top = Inside(wanted.top, height, roomTop, roomTop + roomHeight);
    return {left, top, left + width, top + height};
  }
  // Scale by the tighter side, in integers so the shape is kept to a pixel.
  if (static_cast<long long>(roomWidth) * height <= static_cast<long long>(roomHeight) * width) {
    height = std::max(1, static_cast<int>(static_cast<long long>(height) * roomWidth / width));
    width = roomWidth;
  } else {
    width = std::max(1, static_cast<int>(static_cast<long long>(width) * roomHeight / height));
    height = roomHeight;
  }
  const int left = roomLeft + (roomWidth - width) / 2, top = roomTop + (roomHeight - height) / 2;
  return {left, top, left + width, top + height};
}

Rect KeepOnDesktop(Rect wanted, Rect desktop) {
  const int left = Inside(wanted.left, wanted.Width(), desktop.left, desktop.right);
  const int top = Inside(wanted.top, wanted.Height(), desktop.top, desktop.bottom);
  return {left, top, left + wanted.Width(), top + wanted.Height()};
}

}  // namespace platform::os

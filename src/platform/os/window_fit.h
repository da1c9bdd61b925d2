#pragma once
// A window that fits the screen. The game asks for its window by the classic
// arithmetic (the mode plus a frame, centred on the desktop), which for the
// largest modes is bigger than the screen. The window system gets a window
// that fits the usable desktop with its frame, scaled down with its shape
// kept; the game keeps drawing at the size it asked for, and the picture is
// shown whole in the smaller window (see picture_placement.h).
#include "platform/os/window.h"

namespace platform::os {

// What the window system adds round a client area.
struct FrameExtents {
  int left = 0, top = 0, right = 0, bottom = 0;
};

// The client rectangle to create: `wanted` when it fits inside `usable` with
// its frame (moved inside it when it hangs over an edge); otherwise the
// largest rectangle of its shape that fits, centred in the usable area.
Rect FitWindowToDesktop(Rect wanted, Rect usable, FrameExtents frame);

// Where the game's own client rectangle lies on its desktop: `wanted` moved
// onto the desktop as far as its size allows, so that no part of the picture
// falls outside the screen the game draws on.
Rect KeepOnDesktop(Rect wanted, Rect desktop);

}  // namespace platform::os

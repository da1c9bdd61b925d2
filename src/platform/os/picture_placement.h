#pragma once
// Where a picture lands in the window's drawable. The game draws as if its
// window had the client size it was created with; the window system may have
// moved, resized or scaled (HiDPI) the drawable since, so the picture is
// scaled to fit it whole, aspect kept, centred, with black bars round it.
#include "platform/os/window.h"

namespace platform::os {

// The largest rectangle of the canvas's shape that fits the output, centred;
// empty when either size is empty.
Rect FitCentred(int canvasWidth, int canvasHeight, int outputWidth, int outputHeight);

}  // namespace platform::os

#pragma once
// The client area of a captioned, fixed-border window inside its outer
// rectangle. Window systems differ; we take the classic Windows metrics
// (3-pixel fixed frame, 19-pixel caption) so that a window asked for at the
// mode's size plus its frame allowance gets a client area close to the mode.
#include "platform/os/window.h"

namespace platform::os {

constexpr int kFrameBorder = 3;
constexpr int kCaptionHeight = 19;

inline Rect ClientFromFrame(Rect frame) {
  return {frame.left + kFrameBorder, frame.top + kFrameBorder + kCaptionHeight, frame.right - kFrameBorder,
          frame.bottom - kFrameBorder};
}

}  // namespace platform::os

#pragma once
// A clipper ties blits to a window: a Blt to a surface holding it writes only
// inside the window's client area, in screen coordinates.
#include <cstdint>

#include "platform/os/window.h"
#include "platform/ref.h"
#include "platform/surface/ddraw_result.h"

namespace platform::surface {

class Clipper : public RefCounted {
 public:
  HResult SetHWnd(std::uint32_t flags, os::Window* window) {
    if (flags != 0) return DDERR_INVALIDPARAMS;
    window_ = window;
    return DD_OK;
  }
  os::Window* GetHWnd() const { return window_; }

 private:
  os::Window* window_ = nullptr;
};

}  // namespace platform::surface

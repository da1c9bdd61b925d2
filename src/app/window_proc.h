#pragma once
#include <cstdint>

#include "platform/os/window.h"

namespace app {

platform::os::LResult MainWindowProc(platform::os::Window* window, std::uint32_t message, std::uintptr_t wParam,
                                     std::intptr_t lParam);
// The WM_TIMER handlers, in the order the procedure compares ids.
void HandleTimer(platform::os::Window* window, std::uintptr_t id);

}  // namespace app

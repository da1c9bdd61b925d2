#pragma once
#include <cstdint>

namespace platform::os {
class Dialog;
// Shows the dialog in its own SDL window until its procedure ends it.
std::intptr_t RunSdlDialog(Dialog& dialog);
}  // namespace platform::os

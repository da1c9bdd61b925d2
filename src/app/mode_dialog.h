#pragma once
// The screen-mode dialog shown before anything else: fifteen display modes
// and "FULL SCREEN".
#include <array>
#include <cstdint>

#include "platform/os/dialog.h"

namespace app {

struct DisplayMode {
  const char* label;
  int width, height, bits;
};

extern const std::array<DisplayMode, 15> displayModeTable;

constexpr int kModeDialogId = 118;
constexpr int kModeListId = 1000;
constexpr int kFullScreenBoxId = 1001;

const platform::os::DialogTemplate& ModeDialogTemplate();
std::intptr_t ModeDialogProc(platform::os::Dialog* dialog, std::uint32_t message, std::uintptr_t wParam,
                             std::intptr_t lParam);
// Stores a row's mode in the game record; false for a row outside the table.
bool SelectDisplayMode(int row);

}  // namespace app

#include "app/mode_dialog.h"

#include "core/game_state.h"
#include "platform/os/messages.h"

namespace app {

using namespace platform::os;

const std::array<DisplayMode, 15> displayModeTable = {{
    {"800x600x16", 800, 600, 16},
    {"800x600x8", 800, 600, 8},
    {"800x600x24", 800, 600, 24},
    {"1024x768x16", 1024, 768, 16},
    {"1024x768x8", 1024, 768, 8},
    {"1024x768x24", 1024, 768, 24},
    {"1280x720x16", 1280, 720, 16},
    {"1280x720x8", 1280, 720, 8},
    {"1280x720x24", 1280, 720, 24},
    {"1600x900x16", 1600, 900, 16},
    {"1600x900x8", 1600, 900, 8},
    {"1600x900x24", 1600, 900, 24},
    {"1920x1080x16", 1920, 1080, 16},
    {"1920x1080x8", 1920, 1080, 8},
    {"1920x1080x24", 1920, 1080, 24},
}};

const DialogTemplate& ModeDialogTemplate() {
  static const DialogTemplate t{
      kModeDialogId,
      "Zarn",
      187,
      91,
      dlg::kWsPopup | dlg::kWsCaption | dlg::kDsModalFrame | dlg::kDsCenter | dlg::kDsSetFont,
      "ＭＳ Ｐゴシック",
      9,
      {
          {"Button", dlg::kIdOk, 61, 70, 50, 14, dlg::kBsDefPushButton | dlg::kWsTabStop | dlg::kWsVisible, "OK"},
          {"ComboBox", kModeListId, 70, 19, 87, 86,
           dlg::kCbsDropDown | dlg::kWsVScroll | dlg::kWsTabStop | dlg::kWsVisible, ""},
          {"Button", kFullScreenBoxId, 61, 45, 78, 17, dlg::kBsAutoCheckBox | dlg::kWsTabStop | dlg::kWsVisible,
           "FULL SCREEN"},
      }};
  return t;
}

bool SelectDisplayMode(int row) {
  if (row < 0 || row >= static_cast<int>(displayModeTable.size())) return false;
  game::GameState& g = game::gameState;
  g.displayModeIndex = row;
  g.displayWidth = displayModeTable[row].width;
  g.displayHeight = displayModeTable[row].height;
  g.displayBitDepth = displayModeTable[row].bits;
  return true;
}

std::intptr_t ModeDialogProc(Dialog* dialog, std::uint32_t message, std::uintptr_t wParam, std::intptr_t) {
  game::GameState& g = game::gameState;
  switch (message) {
    case msg::kInitDialog:
      for (std::size_t i = 0; i < displayModeTable.size(); ++i)
        SendDlgItemMessage(dialog, kModeListId, dlg::kCbInsertString, i,
                           reinterpret_cast<std::intptr_t>(displayModeTable[i].label));
      SendDlgItemMessage(dialog, kModeListId, dlg::kCbSetCurSel, g.displayModeIndex, 0);
      CheckDlgButton(dialog, kFullScreenBoxId, g.windowedMode ? dlg::kUnchecked : dlg::kChecked);
      return 1;
    case msg::kCommand:
      // Escape and the window's close button mean "not now": the dialog
      // ends with IDCANCEL and the program ends without starting.
      if ((wParam & 0xFFFF) == dlg::kIdCancel) {
        EndDialog(dialog, dlg::kIdCancel);
        return 1;
      }
      if ((wParam & 0xFFFF) != dlg::kIdOk) return 0;
      // With no valid row selected, OK is refused and the dialog stays: a
      // mode outside the table must never be used.
      if (!SelectDisplayMode(static_cast<int>(SendDlgItemMessage(dialog, kModeListId, dlg::kCbGetCurSel, 0, 0))))
        return 1;
      g.windowedMode = IsDlgButtonChecked(dialog, kFullScreenBoxId) != dlg::kChecked;
      EndDialog(dialog, 1);
      return 1;
    default: return 0;
  }
}

}  // namespace app

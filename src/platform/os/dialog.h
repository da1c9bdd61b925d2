#pragma once
// Modal dialogs from a template, with the Windows dialog protocol the game's
// dialog procedure speaks: WM_INITDIALOG, WM_COMMAND with control ids, the
// combo-box and check-box messages, EndDialog. The controls' state lives
// here; the live backend draws it and turns keys and clicks into the same
// input calls the tests make.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/os/window.h"

namespace platform::os {

class Dialog;
using DialogProc = std::intptr_t (*)(Dialog* dialog, std::uint32_t message, std::uintptr_t wParam,
                                     std::intptr_t lParam);

namespace dlg {
constexpr int kIdOk = 1;
constexpr int kIdCancel = 2;
constexpr std::uint32_t kCbGetCount = 0x0146;
constexpr std::uint32_t kCbGetCurSel = 0x0147;
constexpr std::uint32_t kCbInsertString = 0x014A;
constexpr std::uint32_t kCbSetCurSel = 0x014E;
constexpr std::intptr_t kCbErr = -1;
constexpr unsigned kUnchecked = 0;
constexpr unsigned kChecked = 1;
constexpr std::uint32_t kBsDefPushButton = 0x1;
constexpr std::uint32_t kBsAutoCheckBox = 0x3;
constexpr std::uint32_t kCbsDropDown = 0x2;
constexpr std::uint32_t kWsTabStop = 0x00010000;
constexpr std::uint32_t kWsVScroll = 0x00200000;
constexpr std::uint32_t kWsVisible = 0x10000000;
constexpr std::uint32_t kWsPopup = 0x80000000;
constexpr std::uint32_t kWsCaption = 0x00C00000;
constexpr std::uint32_t kDsSetFont = 0x40;
constexpr std::uint32_t kDsModalFrame = 0x80;
constexpr std::uint32_t kDsCenter = 0x800;
}  // namespace dlg

struct DialogItem {
  std::string className;  // "Button" or "ComboBox"
  int id = 0;
  int x = 0, y = 0, cx = 0, cy = 0;  // dialog units
  std::uint32_t style = 0;
  std::string text;
};

struct DialogTemplate {
  int resourceId = 0;
  std::string title;
  int cx = 0, cy = 0;
  std::uint32_t style = 0;
  std::string fontFace;
  int fontPoints = 0;
  std::vector<DialogItem> items;
};

class Dialog {
 public:
  struct Control {
    DialogItem item;
    std::vector<std::string> list;  // combo box entries
    int selection = -1;             // combo box: selected entry or -1
    bool checked = false;           // check box
  };

  Dialog(const DialogTemplate& dialogTemplate, DialogProc proc, std::intptr_t param);

  // WM_INITDIALOG.
  void Start();
  // What a person does: keys by virtual-key code (arrows pick the list entry,
  // Space toggles the check box, Enter presses the default button, Escape
  // cancels), clicks on a control, closing the window.
  void PressKey(int virtualKey);
  void ClickControl(int id);
  void ClickListEntry(int id, int entry);
  void Close();

  bool Ended() const { return ended_; }
  std::intptr_t Result() const { return result_; }
  const DialogTemplate& Template() const { return template_; }
  const std::vector<Control>& Controls() const { return controls_; }
  Control* FindControl(int id);

  // Called through the Windows-style functions below.
  std::intptr_t SendToControl(int id, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam);
  void End(std::intptr_t result);

 private:
  void Command(int id);
  Control* FirstOfClass(const char* className, std::uint32_t styleMask, std::uint32_t style);

  DialogTemplate template_;
  DialogProc proc_;
  std::intptr_t param_;
  std::vector<Control> controls_;
  bool ended_ = false;
  std::intptr_t result_ = 0;
};

// Runs the dialog modally (the live backend shows it; headless presses OK)
// and returns the value given to EndDialog.
std::intptr_t DialogBoxParam(const DialogTemplate& dialogTemplate, Window* owner, DialogProc proc, std::intptr_t param);
std::intptr_t SendDlgItemMessage(Dialog* dialog, int id, std::uint32_t message, std::uintptr_t wParam,
                                 std::intptr_t lParam);
bool CheckDlgButton(Dialog* dialog, int id, unsigned check);
unsigned IsDlgButtonChecked(Dialog* dialog, int id);
bool EndDialog(Dialog* dialog, std::intptr_t result);

}  // namespace platform::os

#include "platform/os/dialog.h"

#include <cstring>

#include "platform/os/backend.h"
#include "platform/os/keyboard.h"
#include "platform/os/messages.h"

namespace platform::os {

Dialog::Dialog(const DialogTemplate& dialogTemplate, DialogProc proc, std::intptr_t param)
    : template_(dialogTemplate), proc_(proc), param_(param) {
  for (const DialogItem& item : template_.items) controls_.push_back({item, {}, -1, false});
}

void Dialog::Start() { proc_(this, msg::kInitDialog, 0, param_); }

Dialog::Control* Dialog::FindControl(int id) {
  for (Control& c : controls_)
    if (c.item.id == id) return &c;
  return nullptr;
}

Dialog::Control* Dialog::FirstOfClass(const char* className, std::uint32_t styleMask, std::uint32_t style) {
  for (Control& c : controls_)
    if (c.item.className == className && (c.item.style & styleMask) == style) return &c;
  return nullptr;
}

void Dialog::Command(int id) {
  // The procedure's answer does not matter: a message it leaves alone (such
  // as IDCANCEL here) simply does nothing.
  if (!ended_) proc_(this, msg::kCommand, static_cast<std::uintptr_t>(id & 0xFFFF), 0);
}

void Dialog::PressKey(int virtualKey) {
  if (ended_) return;
  switch (virtualKey) {
    case vk::kUp:
    case vk::kDown:
      if (Control* list = FirstOfClass("ComboBox", 0, 0); list && !list->list.empty()) {
        int last = static_cast<int>(list->list.size()) - 1;
        int step = virtualKey == vk::kUp ? -1 : 1;
        int next = list->selection < 0 ? 0 : list->selection + step;
        list->selection = next < 0 ? 0 : next > last ? last : next;
      }
      break;
    case vk::kSpace:
      if (Control* box = FirstOfClass("Button", 0xF, dlg::kBsAutoCheckBox)) ClickControl(box->item.id);
      break;
    case vk::kReturn: Command(dlg::kIdOk); break;
    case vk::kEscape: Command(dlg::kIdCancel); break;
    default: break;
  }
}

void Dialog::ClickControl(int id) {
  Control* c = FindControl(id);
  if (!c || ended_) return;
  if (c->item.className == "Button") {
    if ((c->item.style & 0xF) == dlg::kBsAutoCheckBox) c->checked = !c->checked;
    Command(id);
  }
}

void Dialog::ClickListEntry(int id, int entry) {
  Control* c = FindControl(id);
  if (!c || ended_ || entry < 0 || entry >= static_cast<int>(c->list.size())) return;
  c->selection = entry;
}

// The default handling of closing a dialog is IDCANCEL.
void Dialog::Close() { Command(dlg::kIdCancel); }

std::intptr_t Dialog::SendToControl(int id, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
  Control* c = FindControl(id);
  if (!c) return dlg::kCbErr;
  int count = static_cast<int>(c->list.size());
  switch (message) {
    case dlg::kCbInsertString: {
      const char* text = reinterpret_cast<const char*>(lParam);
      int at = static_cast<int>(static_cast<std::intptr_t>(wParam));
      if (!text) return dlg::kCbErr;
      if (at < 0 || at > count) at = count;  // -1 appends, as Windows does
      c->list.insert(c->list.begin() + at, text);
      if (c->selection >= at) ++c->selection;
      return at;
    }
    case dlg::kCbSetCurSel: {
      int at = static_cast<int>(static_cast<std::intptr_t>(wParam));
      c->selection = (at >= 0 && at < count) ? at : -1;
      return c->selection < 0 ? dlg::kCbErr : c->selection;
    }
    case dlg::kCbGetCurSel: return c->selection < 0 ? dlg::kCbErr : c->selection;
    case dlg::kCbGetCount: return count;
    default: return 0;
  }
}

void Dialog::End(std::intptr_t result) {
  ended_ = true;
  result_ = result;
}

std::intptr_t DialogBoxParam(const DialogTemplate& dialogTemplate, Window*, DialogProc proc, std::intptr_t param) {
  if (!proc) return -1;
  Dialog dialog(dialogTemplate, proc, param);
  return CurrentBackend().RunDialog(dialog);
}

std::intptr_t SendDlgItemMessage(Dialog* dialog, int id, std::uint32_t message, std::uintptr_t wParam,
                                 std::intptr_t lParam) {
  return dialog ? dialog->SendToControl(id, message, wParam, lParam) : 0;
}

bool CheckDlgButton(Dialog* dialog, int id, unsigned check) {
  Dialog::Control* c = dialog ? dialog->FindControl(id) : nullptr;
  if (!c) return false;
  c->checked = check == dlg::kChecked;
  return true;
}

unsigned IsDlgButtonChecked(Dialog* dialog, int id) {
  Dialog::Control* c = dialog ? dialog->FindControl(id) : nullptr;
  return c && c->checked ? dlg::kChecked : dlg::kUnchecked;
}

bool EndDialog(Dialog* dialog, std::intptr_t result) {
  if (!dialog) return false;
  dialog->End(result);
  return true;
}

}  // namespace platform::os

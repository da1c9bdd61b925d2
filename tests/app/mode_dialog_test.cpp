#include "app/mode_dialog.h"

#include <gtest/gtest.h>

#include "app/main_window.h"
#include "platform/os/dialog.h"
#include "platform/os/dialog_view.h"
#include "support/fresh_state.h"

namespace os = platform::os;
using game::gameState;

namespace {

class ModeDialog : public ::testing::Test {
 protected:
  void SetUp() override {
    test_support::FreshState();
    dialog = std::make_unique<os::Dialog>(app::ModeDialogTemplate(), app::ModeDialogProc, 0);
    dialog->Start();
  }
  std::unique_ptr<os::Dialog> dialog;
};

}  // namespace

TEST_F(ModeDialog, OkWithoutTouchingPicksTheFirstModeFullScreen) {
  EXPECT_EQ(os::SendDlgItemMessage(dialog.get(), app::kModeListId, os::dlg::kCbGetCount, 0, 0), 15);
  dialog->PressKey(os::vk::kReturn);
  ASSERT_TRUE(dialog->Ended());
  EXPECT_EQ(dialog->Result(), 1);
  EXPECT_EQ(gameState.displayModeIndex, 0);
  EXPECT_EQ(gameState.displayWidth, 800);
  EXPECT_EQ(gameState.displayHeight, 600);
  EXPECT_EQ(gameState.displayBitDepth, 16);
  EXPECT_EQ(gameState.windowedMode, 0);
}

TEST_F(ModeDialog, ArrowsAndUncheckingGiveAWindowedMode) {
  for (int i = 0; i < 20; ++i) dialog->PressKey(os::vk::kDown);  // stops at the last row
  dialog->PressKey(os::vk::kUp);
  dialog->PressKey(os::vk::kSpace);
  dialog->ClickControl(os::dlg::kIdOk);
  ASSERT_TRUE(dialog->Ended());
  EXPECT_EQ(gameState.displayModeIndex, 13);
  EXPECT_EQ(gameState.displayBitDepth, 8);
  EXPECT_EQ(gameState.windowedMode, 1);
}

TEST_F(ModeDialog, EscapeAndClosingDoNothing) {
  dialog->PressKey(os::vk::kEscape);
  dialog->Close();
  EXPECT_FALSE(dialog->Ended());
  dialog->ClickListEntry(app::kModeListId, 5);
  dialog->PressKey(os::vk::kReturn);
  EXPECT_EQ(gameState.displayModeIndex, 5);
}

TEST_F(ModeDialog, NoValidSelectionRefusesOk) {
  gameState.displayModeIndex = 3;
  os::SendDlgItemMessage(dialog.get(), app::kModeListId, os::dlg::kCbSetCurSel, static_cast<std::uintptr_t>(-1), 0);
  dialog->PressKey(os::vk::kReturn);
  EXPECT_FALSE(dialog->Ended());
  EXPECT_EQ(gameState.displayModeIndex, 3);
  EXPECT_FALSE(app::SelectDisplayMode(15));
  EXPECT_FALSE(app::SelectDisplayMode(-1));
}

TEST_F(ModeDialog, StartsFromTheRecordsChoice) {
  gameState.displayModeIndex = 7;
  gameState.windowedMode = 1;
  os::Dialog again(app::ModeDialogTemplate(), app::ModeDialogProc, 0);
  again.Start();
  EXPECT_EQ(os::SendDlgItemMessage(&again, app::kModeListId, os::dlg::kCbGetCurSel, 0, 0), 7);
  EXPECT_EQ(os::IsDlgButtonChecked(&again, app::kFullScreenBoxId), os::dlg::kUnchecked);
}

TEST_F(ModeDialog, ViewHitsTheControlsItDraws) {
  os::DialogView view(*dialog);
  os::Picture canvas;
  view.Draw(*dialog, canvas);
  ASSERT_EQ(canvas.width, view.Width());
  ASSERT_EQ(canvas.pixels.size(), static_cast<std::size_t>(view.Width() * view.Height()));
  // Find the check box and the OK button by scanning the picture's area.
  int checkHits = 0, okHits = 0, listHits = 0;
  for (int y = 0; y < view.Height(); y += 2)
    for (int x = 0; x < view.Width(); x += 2) {
      os::DialogHit hit = view.HitTest(*dialog, x, y);
      checkHits += hit.controlId == app::kFullScreenBoxId;
      okHits += hit.controlId == os::dlg::kIdOk;
      listHits += hit.listEntry == 14;
    }
  EXPECT_GT(checkHits, 0);
  EXPECT_GT(okHits, 0);
  EXPECT_GT(listHits, 0);
}

TEST(MainWindow, CentredFivePixelsRightAndMayStartOffScreen) {
  test_support::FreshState();
  app::SelectDisplayMode(14);  // 1920 x 1080 on the 1920 x 1080 headless desktop
  ASSERT_TRUE(app::CreateMainWindow(nullptr, 1));
  os::Window* w = gameState.mainWindow;
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(w->frame.left, 960 - 970);
  EXPECT_EQ(w->frame.top, 540 - 560);
  EXPECT_EQ(w->frame.Width(), 1950);
  EXPECT_EQ(w->frame.Height(), 1120);
  EXPECT_EQ(w->title, "Zarn!");
  EXPECT_FALSE(app::CreateMainWindow(nullptr, 1)) << "the class is registered once";
}

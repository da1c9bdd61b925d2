#include "app/mode_dialog.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "app/command_line.h"
#include "app/main_window.h"
#include "app/win_main.h"
#include "platform/os/dialog.h"
#include "platform/os/dialog_view.h"
#include "platform/os/module_path.h"
#include "platform/os/sdl_injection.h"
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

TEST_F(ModeDialog, NoValidSelectionRefusesOk) {
  gameState.displayModeIndex = 3;
  os::SendDlgItemMessage(dialog.get(), app::kModeListId, os::dlg::kCbSetCurSel, static_cast<std::uintptr_t>(-1), 0);
  dialog->PressKey(os::vk::kReturn);
  EXPECT_FALSE(dialog->Ended());
  EXPECT_EQ(gameState.displayModeIndex, 3);
  EXPECT_FALSE(app::SelectDisplayMode(15));
  EXPECT_FALSE(app::SelectDisplayMode(-1));
}

// Through the live window system (SDL's display-less driver): Escape or the
// close button on the dialog ends the program at once, status 0, and writes
// no configuration.
TEST(ModeDialogLive, EscapeOrCloseEndsTheProgramWritingNothing) {
  namespace fs = std::filesystem;
  setenv("SDL_VIDEODRIVER", "dummy", 0);
  test_support::FreshState();
  std::string why;
  std::unique_ptr<platform::Backends> backends = platform::Backends::Start({.headless = false}, &why);
  if (!backends) GTEST_SKIP() << why;
  const fs::path dir = fs::temp_directory_path() / ("zarn-dialog-" + std::to_string(::getpid()));
  fs::create_directories(dir);
  os::SetModuleFileNameOverride((dir / "zarn").string());
  app::runOptions = {};

  os::InjectKey(os::vk::kEscape, true);
  EXPECT_EQ(app::WinMain(*backends, nullptr, nullptr, "", 1), 0);
  EXPECT_FALSE(fs::exists(dir / "zarn.ini"));
  EXPECT_EQ(os::MainWindow(), nullptr) << "nothing was started";

  os::InjectClose();
  EXPECT_EQ(os::DialogBoxParam(app::ModeDialogTemplate(), nullptr, app::ModeDialogProc, 0), os::dlg::kIdCancel);

  os::SetModuleFileNameOverride("");
  fs::remove_all(dir);
  backends.reset();
  test_support::FreshState();
}

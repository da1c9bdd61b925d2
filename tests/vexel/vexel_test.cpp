#include "vexel/vexel.h"

#include <gtest/gtest.h>

#include "app/main_window.h"
#include "app/mode_dialog.h"
#include "platform/os/backend.h"
#include "platform/os/debug_output.h"
#include "platform/rm/rm_object.h"
#include "platform/rm/rm_result.h"
#include "platform/surface/ddraw_result.h"
#include "support/fresh_state.h"

namespace os = platform::os;
using vexel::vexelContext;

namespace {

class Vexel : public ::testing::Test {
 protected:
  void SetUp() override {
    test_support::FreshState();
    os::CaptureDebugOutput(true);
    os::ClearCapturedDebugOutput();
  }
  void TearDown() override { os::CaptureDebugOutput(false); }
  void StartUp(int mode, bool windowed) {
    app::SelectDisplayMode(mode);
    game::gameState.windowedMode = windowed;
    ASSERT_TRUE(app::CreateMainWindow(nullptr, 1));
    ASSERT_TRUE(vexel::InitGraphics());
  }
  std::string Debug() {
    std::string all;
    for (const std::string& s : os::CapturedDebugOutput()) all += s;
    return all;
  }
};

}  // namespace

TEST_F(Vexel, FullScreenSetUpSaysWhatItDoes) {
  StartUp(0, false);
  EXPECT_EQ(Debug(),
            "VXL:Vexel Initialize\nVXL:Vexel Cleanup\nVXL:screen mode decided 800 600 16\nVXL:CreateD3DRM\n"
            "VXL:DeviceName :Ramp Emulation f2086b20\nVXL:I'll use HEL\nVXL:DeviceGuid f2086b20\n");
  EXPECT_EQ(vexelContext.ready, 1);
  EXPECT_EQ(vexelContext.windowed, 0);
  EXPECT_EQ(vexelContext.colorModel, platform::rm::kColorModelMono);
  ASSERT_TRUE(vexelContext.device);
  EXPECT_EQ(vexelContext.device->GetQuality(), platform::rm::kRenderGouraud);
  EXPECT_EQ(vexelContext.backBuffer->BitsPerPixel(), 16);
  EXPECT_TRUE(vexelContext.zBuffer);
}

TEST_F(Vexel, EightBitFullScreenPaletteReservesAllButTheLastEntry) {
  StartUp(1, false);
  ASSERT_TRUE(vexelContext.palette);
  EXPECT_NE(Debug().find("VXL:palettized \n"), std::string::npos);
  for (int i = 0; i < 255; ++i) EXPECT_EQ(vexelContext.paletteEntries[i].flags, 1) << i;
  EXPECT_EQ(vexelContext.paletteEntries[255].flags, 0);
  EXPECT_EQ(vexelContext.device->GetQuality(), platform::rm::kRenderFlat);
}

TEST_F(Vexel, FullScreenSwitchLosesAndRestoresWithoutEndingTheGame) {
  StartUp(0, false);
  os::KeepPresentedPictures(true);
  vexel::ActivateHandle(0);
  EXPECT_NE(vexelContext.primary->IsLost(), platform::surface::DD_OK);
  vexel::VexelPresent();  // the first frame after the switch finds the surface lost
  EXPECT_EQ(vexelContext.ready, 1);
  vexel::ActivateHandle(1);
  vexel::VexelPresent();
  vexel::VexelRestoreSurfaces();
  EXPECT_EQ(vexelContext.primary->IsLost(), platform::surface::DD_OK);
  vexel::VexelPresent();
  EXPECT_EQ(vexelContext.ready, 1);
  EXPECT_EQ(os::LastPresentedPicture().width, 800);
}

TEST_F(Vexel, AStartUpFailureEndsTheProcessWithCodeOne) {
  // Full screen without a window: the cooperative level is refused twice.
  app::SelectDisplayMode(0);
  game::gameState.windowedMode = false;
  game::gameState.mainWindow = nullptr;
  os::SetDebugOutputEnabled(true);
  EXPECT_EXIT(vexel::InitGraphics(), ::testing::ExitedWithCode(1),
              "VXL:Error: failed to Set Cooperative Level!VXL:DDCreateError ");
  os::SetDebugOutputEnabled(false);
}

TEST_F(Vexel, RefusedFullScreenFallsBackToTheWindowAndSaysSo) {
  ASSERT_TRUE(os::StartBackend({.headless = true, .fps = 60.0, .refuseFullScreen = true}));
  testing::internal::CaptureStderr();
  StartUp(0, false);
  const std::string said = testing::internal::GetCapturedStderr();
  os::StopBackend();
  EXPECT_EQ(vexelContext.windowed, 1);
  EXPECT_EQ(vexelContext.width, 824) << "the window's client area";
  EXPECT_NE(said.find("full screen refused"), std::string::npos) << said;
  EXPECT_NE(Debug().find("I'll try to run at Window mode"), std::string::npos);
}

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

TEST_F(Vexel, WindowedSetUpUsesTheClientAreaAndTheDesktopDepth) {
  StartUp(1, true);  // 800x600x8 asked for, but a window has the desktop's depth
  EXPECT_EQ(vexelContext.ready, 0) << "a window waits for the scene to switch rendering on";
  EXPECT_EQ(vexelContext.windowed, 1);
  EXPECT_EQ(vexelContext.depth, 24);
  EXPECT_EQ(vexelContext.width, 824);
  EXPECT_EQ(vexelContext.height, 615);
  EXPECT_TRUE(vexelContext.clipper);
  EXPECT_FALSE(vexelContext.palette);
  EXPECT_EQ(Debug().find("VXL:palettized"), std::string::npos);
}

TEST_F(Vexel, EightBitFullScreenPaletteReservesAllButTheLastEntry) {
  StartUp(1, false);
  ASSERT_TRUE(vexelContext.palette);
  EXPECT_NE(Debug().find("VXL:palettized \n"), std::string::npos);
  for (int i = 0; i < 255; ++i) EXPECT_EQ(vexelContext.paletteEntries[i].flags, 1) << i;
  EXPECT_EQ(vexelContext.paletteEntries[255].flags, 0);
  EXPECT_EQ(vexelContext.device->GetQuality(), platform::rm::kRenderFlat);
  EXPECT_EQ(vexelContext.device->GetShades(), 8u);
}

TEST_F(Vexel, ErrorReportsNameTheCodeOrSayUnknown) {
  vexel::ReportDirectDrawError(platform::surface::DDERR_SURFACELOST, "file.cpp", 12);
  vexel::ReportD3DRMError(platform::rm::kErrBadFile, "scene.cpp", 7);
  vexel::ReportD3DRMError(platform::MakeDDHResult(794), "x", 1);
  vexel::ReportDirectDrawError(0x12345678, "y", 2);
  vexel::ReportDirectDrawError(platform::kEInvalidArg, "z", 3);
  EXPECT_EQ(Debug(),
            "DirectDraw Error DDERR_SURFACELOST\nin file file.cpp at line 12\n"
            "Direct3D-RM Error : D3DRMERR_BADFILE\nin file scene.cpp at line 7\n"
            "Direct3D-RM Error : Unknown Error\nin file x at line 1\n"
            "DirectDraw Error Unknown Error\nin file y at line 2\n"
            "DirectDraw Error DDERR_INVALIDPARAMS\nin file z at line 3\n");
  EXPECT_STREQ(vexel::D3DRMErrorName(platform::MakeDDHResult(781)), "D3DRMERR_BADOBJECT");
  EXPECT_STREQ(vexel::D3DRMErrorName(platform::MakeDDHResult(793)), "D3DRMERR_UNABLETOEXECUTE");
}

TEST_F(Vexel, ReadyFlagAndPaintFollowTheMode) {
  StartUp(0, false);
  EXPECT_EQ(vexel::VexelSetReady(2), 1);
  EXPECT_EQ(vexelContext.ready, 1);
  EXPECT_EQ(vexel::VexelPaint(game::gameState.mainWindow), 0) << "full screen leaves painting to the default";
  vexel::VexelSetReady(0);
  EXPECT_EQ(vexelContext.ready, 0);
  vexel::VexelSetReady(1);
  EXPECT_EQ(vexelContext.ready, 1);
}

TEST_F(Vexel, CleanedUpLayerStaysOffAndDoesNothing) {
  StartUp(0, false);
  vexel::VexelCleanup();
  EXPECT_EQ(vexelContext.ready, 0);
  EXPECT_FALSE(vexelContext.ddraw);
  EXPECT_FALSE(vexelContext.primary);
  vexel::VexelSetReady(1);
  EXPECT_EQ(vexelContext.ready, 0) << "a cleaned-up layer is not switched back on";
  vexel::VexelPresent();
  vexel::VexelRestoreSurfaces();
  vexel::ActivateHandle(1);
}

TEST_F(Vexel, ViewportOnACameraWithTheFarBackPlane) {
  StartUp(0, false);
  platform::Ref<platform::rm::Frame> root, camera;
  platform::rm::CreateFrame(nullptr, &root);
  platform::rm::CreateFrame(root.get(), &camera);
  os::ClearCapturedDebugOutput();
  ASSERT_TRUE(vexel::VXLViewport(camera.get()));
  EXPECT_EQ(Debug(), "VXL:VXLViewport\nVXL:Viewport width:800 height:600\nphase 3\nphase 4\n");
  EXPECT_EQ(vexelContext.viewport->GetBack(), 5000.0f);
  EXPECT_EQ(vexelContext.viewport->GetFront(), 1.0f);
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
  game::gameState.windowedMode = 0;
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

#include "platform/surface/direct_draw.h"

#include <gtest/gtest.h>

#include <cstring>
#include <tuple>

#include "platform/surface/device_context.h"
#include "platform/surface/system_palette.h"
#include "support/succeeds.h"
#include "surface_test_util.h"

namespace {

using namespace surface_test;
using platform::HResult;
using platform::MakeRef;
using platform::Ref;
namespace os = platform::os;

constexpr std::uint32_t kFullScreenModeX =
    cooperation::kFullScreen | cooperation::kExclusive | cooperation::kAllowModeX;

SurfaceDesc FlipChainDesc() {
  SurfaceDesc d;
  d.fields = desc_fields::kCaps | desc_fields::kBackBufferCount;
  d.backBufferCount = 1;
  d.caps = caps::kPrimarySurface | caps::kFlip | caps::kComplex | caps::k3DDevice;
  return d;
}

SurfaceDesc PlainDesc(int width, int height, std::uint32_t extraCaps = 0, int bits = 0) {
  SurfaceDesc d;
  d.fields = desc_fields::kCaps | desc_fields::kWidth | desc_fields::kHeight;
  d.width = width;
  d.height = height;
  if (bits) {
    d.fields |= desc_fields::kPixelFormat;
    d.bitsPerPixel = bits;
  }
  d.caps = caps::kOffscreenPlain | extraCaps;
  return d;
}

SurfaceDesc CapsOnlyDesc(std::uint32_t c) {
  SurfaceDesc d;
  d.fields = desc_fields::kCaps;
  d.caps = c;
  return d;
}

class DirectDrawTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window_ = MakeWindow();
    ASSERT_NE(window_, nullptr);
    ASSERT_EQ(CreateDirectDraw(&ddraw_), DD_OK);
  }
  void FullScreen(int width, int height, int bits) {
    ASSERT_EQ(ddraw_->SetCooperativeLevel(window_, kFullScreenModeX), DD_OK);
    ASSERT_EQ(ddraw_->SetDisplayMode(width, height, bits), DD_OK);
    ASSERT_EQ(ddraw_->CreateSurface(FlipChainDesc(), &primary_), DD_OK);
    ASSERT_EQ(primary_->GetAttachedSurface(caps::kBackBuffer, &back_), DD_OK);
    SurfaceDesc z;
    ASSERT_EQ(back_->GetSurfaceDesc(&z), DD_OK);
    z.fields = 0x47;
    z.caps = caps::kSystemMemory | caps::kZBuffer;
    z.zBufferBitDepth = 16;
    ASSERT_EQ(ddraw_->CreateSurface(z, &z_), DD_OK);
    ASSERT_EQ(back_->AddAttachedSurface(z_), DD_OK);
  }
  void WindowedPrimary() {
    ASSERT_EQ(ddraw_->SetCooperativeLevel(window_, cooperation::kNormal), DD_OK);
    ASSERT_EQ(ddraw_->CreateSurface(CapsOnlyDesc(caps::kPrimarySurface), &primary_), DD_OK);
  }

  os::Window* window_ = nullptr;
  Ref<DirectDraw> ddraw_;
  Ref<Surface> primary_, back_, z_;
};

TEST_F(DirectDrawTest, OffersOnlyThePrimaryDisplayWithout3D) {
  int calls = 0;
  ASSERT_EQ(EnumerateDrivers([&](const DriverInfo& d) {
              EXPECT_FALSE(d.hasGuid);
              return ++calls > 0;
            }),
            DD_OK);
  EXPECT_EQ(calls, 1);
  DriverCaps hardware, emulation;
  ASSERT_EQ(ddraw_->GetCaps(&hardware, &emulation), DD_OK);
  EXPECT_EQ(hardware.caps & driver_caps::k3D, 0u);
  EXPECT_NE(hardware.caps & driver_caps::kBltStretch, 0u);
  EXPECT_NE(emulation.zBufferBitDepths & bit_depth::k16, 0u);
}

TEST_F(DirectDrawTest, CooperativeLevelsNeedAWindowForFullScreen) {
  EXPECT_EQ(ddraw_->CreateSurface(PlainDesc(4, 4), &back_), DDERR_NOCOOPERATIVELEVELSET);
  const std::tuple<os::Window*, std::uint32_t, HResult> levels[] = {
      {nullptr, kFullScreenModeX, DDERR_INVALIDPARAMS},
      {window_, cooperation::kFullScreen, DDERR_INVALIDPARAMS},
      {window_, cooperation::kNormal | cooperation::kExclusive, DDERR_INVALIDPARAMS},
      {window_, 0x51, DD_OK},
      {window_, 0x11, DD_OK}};
  for (auto [w, level, expected] : levels)
    EXPECT_EQ(ddraw_->SetCooperativeLevel(w, level), expected) << std::hex << level;
  EXPECT_TRUE(ddraw_->IsExclusive());
  EXPECT_EQ(ddraw_->SetCooperativeLevel(window_, cooperation::kNormal), DD_OK);
  EXPECT_FALSE(ddraw_->IsExclusive());
  EXPECT_EQ(ddraw_->SetDisplayMode(800, 600, 16), DDERR_NOEXCLUSIVEMODE);
}

TEST_F(DirectDrawTest, AcceptsTheFifteenModesAndRefusesOthers) {
  ASSERT_EQ(ddraw_->SetCooperativeLevel(window_, kFullScreenModeX), DD_OK);
  for (auto [w, h] : {std::pair{800, 600}, {1024, 768}, {1280, 720}, {1600, 900}, {1920, 1080}})
    for (int bits : {8, 16, 24}) {
      EXPECT_EQ(ddraw_->SetDisplayMode(w, h, bits), DD_OK) << w << "x" << h << "x" << bits;
      EXPECT_EQ(ddraw_->DisplayWidth(), w);
      EXPECT_EQ(ddraw_->DisplayBitsPerPixel(), bits);
    }
  EXPECT_EQ(ddraw_->SetDisplayMode(640, 480, 16), DDERR_INVALIDMODE);
  EXPECT_EQ(ddraw_->SetDisplayMode(800, 600, 32), DDERR_INVALIDMODE);
}

TEST_F(DirectDrawTest, FullScreenSurfacesTakeTheModesSizeAndDepth) {
  FullScreen(1024, 768, 16);
  EXPECT_EQ(std::tuple(primary_->Width(), primary_->Height(), back_->BitsPerPixel()), std::tuple(1024, 768, 16));
  EXPECT_NE(back_->Caps() & caps::kBackBuffer, 0u);
  EXPECT_EQ(back_->AttachedZBuffer(), z_.get());
  EXPECT_TRUE(z_->IsZBuffer());
  EXPECT_EQ(z_->Width(), 1024);
  EXPECT_EQ(back_->AddAttachedSurface(z_), DDERR_SURFACEALREADYATTACHED);
  Ref<Surface> found;
  EXPECT_EQ(back_->GetAttachedSurface(caps::kZBuffer, &found), DD_OK);
  EXPECT_EQ(found, z_);
  EXPECT_EQ(primary_->GetAttachedSurface(caps::kZBuffer, &found), DDERR_NOTFOUND);
  // The overlay's surfaces: 1024 x 256 scaled by the mode, in its depth.
  Ref<Surface> overlay;
  ASSERT_EQ(ddraw_->CreateSurface(PlainDesc(1024 * 1024 / 800, 768 * 256 / 600), &overlay), DD_OK);
  EXPECT_EQ(std::tuple(overlay->Width(), overlay->Height(), overlay->BitsPerPixel(), overlay->Pitch()),
            std::tuple(1310, 327, 16, 1310 * 2));

  Ref<Surface> second;
  EXPECT_EQ(ddraw_->CreateSurface(FlipChainDesc(), &second), DDERR_PRIMARYSURFACEALREADYEXISTS);
  primary_.reset();
  back_.reset();
  EXPECT_EQ(ddraw_->CreateSurface(FlipChainDesc(), &second), DD_OK);
}

TEST_F(DirectDrawTest, SurfacesOfEveryDepthAndRefusedSizes) {
  ASSERT_EQ(ddraw_->SetCooperativeLevel(window_, cooperation::kNormal), DD_OK);
  for (int bits : {8, 16, 24}) {
    Ref<Surface> s;
    ASSERT_EQ(ddraw_->CreateSurface(PlainDesc(3, 5, 0, bits), &s), DD_OK);
    SurfaceDesc back;
    ASSERT_EQ(s->GetSurfaceDesc(&back), DD_OK);
    EXPECT_EQ(std::tuple(s->BytesPerPixel(), s->Pitch(), back.bitsPerPixel, back.width),
              std::tuple(bits / 8, 3 * bits / 8, bits, 3));
  }
  SurfaceDesc z = PlainDesc(4, 4);
  z.caps = caps::kZBuffer;  // no depth given
  const std::pair<SurfaceDesc, HResult> refused[] = {{PlainDesc(3, 5, 0, 12), DDERR_INVALIDPIXELFORMAT},
                                                     {PlainDesc(0, 5), DDERR_INVALIDPARAMS},
                                                     {PlainDesc(-3, 5), DDERR_INVALIDPARAMS},
                                                     {PlainDesc(20000, 5), DDERR_TOOBIGWIDTH},
                                                     {PlainDesc(16384, 16384), DDERR_TOOBIGSIZE},
                                                     {CapsOnlyDesc(caps::kOffscreenPlain), DDERR_INVALIDPARAMS},
                                                     {z, DDERR_INVALIDPARAMS}};
  Ref<Surface> s;
  for (const auto& [desc, expected] : refused) {
    EXPECT_EQ(ddraw_->CreateSurface(desc, &s), expected) << desc.width << "x" << desc.height;
    EXPECT_EQ(s, nullptr);
  }
}

TEST_F(DirectDrawTest, WindowedPrimaryIsTheWholeDesktopAtTwentyFourBits) {
  ASSERT_EQ(ddraw_->SetCooperativeLevel(window_, cooperation::kNormal), DD_OK);
  EXPECT_EQ(ddraw_->CreateSurface(FlipChainDesc(), &primary_), DDERR_NOEXCLUSIVEMODE);
  ASSERT_EQ(ddraw_->CreateSurface(CapsOnlyDesc(caps::kPrimarySurface), &primary_), DD_OK);
  const os::Rect desktop = os::DesktopRect();
  EXPECT_EQ(std::tuple(primary_->Width(), primary_->Height(), primary_->BitsPerPixel()),
            std::tuple(desktop.Width(), desktop.Height(), 24));
  Ref<Surface> back;
  EXPECT_EQ(primary_->GetAttachedSurface(caps::kBackBuffer, &back), DDERR_NOTFOUND);
  EXPECT_EQ(primary_->Flip(nullptr, flip_flags::kWait), DDERR_NOTFLIPPABLE);
}

TEST_F(DirectDrawTest, FlipShowsTheBackBufferThroughThePalette) {
  FullScreen(800, 600, 8);
  auto entries = SystemPaletteEntries();
  entries[77] = {10, 20, 30, 1};
  Ref<Palette> palette;
  ASSERT_EQ(ddraw_->CreatePalette(palette_caps::k8Bit | palette_caps::kInitialize, entries, &palette), DD_OK);
  EXPECT_OK(primary_->SetPalette(palette));
  Fill(*back_, 77);
  Put(*back_, 799, 599, system_colour::kRed);
  ASSERT_EQ(primary_->Flip(back_.get(), flip_flags::kWait), DD_OK);
  const os::Picture& shown = os::LastPresentedPicture();
  ASSERT_EQ(std::pair(shown.width, shown.height), std::pair(800, 600));
  EXPECT_EQ(shown.pixels[0], 0x0A141Eu);
  EXPECT_EQ(shown.pixels.back(), 0xFF0000u);
  EXPECT_EQ(Get(*back_, 0, 0), 77u);  // the back buffer keeps its picture
  EXPECT_EQ(Get(*primary_, 0, 0), 77u);
  EXPECT_EQ(back_->Flip(nullptr, 0), DDERR_NOTFLIPPABLE);
  Ref<Surface> stranger;
  ASSERT_EQ(ddraw_->CreateSurface(PlainDesc(800, 600), &stranger), DD_OK);
  EXPECT_EQ(primary_->Flip(stranger.get(), 0), DDERR_INVALIDPARAMS);
}

// Flip exchanges the two buffers' storage and the back buffer owes itself
// the picture: whatever touches either buffer afterwards must see both
// pictures as if Flip had copied.
TEST_F(DirectDrawTest, AfterAFlipBothBuffersHoldThePictureWhateverComesNext) {
  FullScreen(800, 600, 16);
  const os::Rect all{0, 0, 800, 600};
  Fill(*back_, 0x1111);
  // A flip changes both buffers' pixels, as a write would: whoever keeps
  // what it knows of them must look again.
  const std::uint64_t handedOut[2] = {primary_->PixelsHandedOut(), back_->PixelsHandedOut()};
  ASSERT_EQ(primary_->Flip(nullptr, flip_flags::kWait), DD_OK);
  EXPECT_NE(primary_->PixelsHandedOut(), handedOut[0]);
  EXPECT_NE(back_->PixelsHandedOut(), handedOut[1]);
  // A clear of only part of the back buffer keeps the rest of its picture.
  std::uint8_t* part = back_->PixelsToOverwrite({0, 0, 800, 300});
  std::memset(part, 0x22, 800 * 2 * 300);
  EXPECT_EQ(Get(*back_, 5, 299), 0x2222u);
  EXPECT_EQ(Get(*back_, 5, 300), 0x1111u);
  EXPECT_EQ(Get(*primary_, 5, 299), 0x1111u);

  // A whole clear skips the copy, and the front keeps showing its picture.
  ASSERT_EQ(primary_->Flip(nullptr, flip_flags::kWait), DD_OK);
  std::memset(back_->PixelsToOverwrite(all), 0x33, 800 * 2 * 600);
  EXPECT_EQ(Get(*primary_, 5, 299), 0x2222u);
  EXPECT_EQ(Get(*primary_, 5, 300), 0x1111u);
  EXPECT_EQ(Get(*back_, 799, 599), 0x3333u);

  // Drawing on the front, flipping twice or dropping the front: the back
  // buffer's picture is the one flipped last.
  ASSERT_EQ(primary_->Flip(nullptr, flip_flags::kWait), DD_OK);
  Put(*primary_, 0, 0, 0x4444);
  EXPECT_EQ(Get(*back_, 0, 0), 0x3333u);
  ASSERT_EQ(primary_->Flip(nullptr, flip_flags::kWait), DD_OK);
  ASSERT_EQ(primary_->Flip(nullptr, flip_flags::kWait), DD_OK);
  EXPECT_EQ(Get(*primary_, 0, 0), 0x3333u);
  EXPECT_EQ(os::LastPresentedPicture().pixels[0], ExpandRgb565(0x3333));
  primary_.reset();
  EXPECT_EQ(Get(*back_, 10, 10), 0x3333u);
}

TEST_F(DirectDrawTest, WindowedBlitToThePrimaryShowsInTheClientArea) {
  WindowedPrimary();
  const os::Rect client = os::GetClientRect(window_);
  const os::Point origin = os::ClientToScreen(window_, {0, 0});
  ASSERT_EQ(
      ddraw_->CreateSurface(PlainDesc(client.Width(), client.Height(), caps::k3DDevice | caps::kSystemMemory), &back_),
      DD_OK);
  Ref<Clipper> clipper;
  ASSERT_EQ(ddraw_->CreateClipper(0, &clipper), DD_OK);
  EXPECT_OK(clipper->SetHWnd(0, window_));
  EXPECT_OK(primary_->SetClipper(clipper));
  Fill(*back_, PackRgb888(0, 200, 0));
  Put(*back_, client.Width() - 1, 0, 0x123456);

  const os::Rect windowRect{origin.x, origin.y, origin.x + client.Width(), origin.y + client.Height()};
  const os::Rect all{0, 0, client.Width(), client.Height()};
  ASSERT_EQ(primary_->Blt(&windowRect, back_.get(), &all, blt_flags::kWait), DD_OK);
  const os::Picture& shown = os::LastPresentedPicture();
  ASSERT_EQ(std::pair(shown.width, shown.height), std::pair(client.Width(), client.Height()));
  EXPECT_EQ(shown.pixels[0], 0x00C800u);
  EXPECT_EQ(shown.pixels[client.Width() - 1], 0x123456u);
  EXPECT_EQ(Get(*primary_, origin.x, origin.y), 0x00C800u);
}

TEST_F(DirectDrawTest, LosingTheDisplayLosesEverySurfaceUntilRestored) {
  FullScreen(800, 600, 16);
  Ref<Surface> font;
  ASSERT_EQ(ddraw_->CreateSurface(PlainDesc(16, 16), &font), DD_OK);
  Fill(*font, 0x1234);

  ddraw_->SetAppActive(false);
  for (Surface* s : {primary_.get(), back_.get(), z_.get(), font.get()}) EXPECT_EQ(s->IsLost(), DDERR_SURFACELOST);
  EXPECT_EQ(back_->BltFast(0, 0, font.get(), nullptr, 0), DDERR_SURFACELOST);
  EXPECT_EQ(primary_->Flip(nullptr, flip_flags::kWait), DDERR_SURFACELOST);
  DeviceContext dc;
  EXPECT_EQ(back_->GetDC(&dc), DDERR_SURFACELOST);
  EXPECT_EQ(primary_->Restore(), DDERR_WRONGMODE);  // still in the background

  ddraw_->SetAppActive(true);
  EXPECT_EQ(primary_->IsLost(), DDERR_SURFACELOST);  // coming back restores nothing
  EXPECT_EQ(back_->Restore(), DDERR_IMPLICITLYCREATED);
  EXPECT_EQ(primary_->Restore(), DD_OK);
  EXPECT_EQ(primary_->IsLost(), DD_OK);
  EXPECT_EQ(back_->IsLost(), DD_OK);  // restored with its front
  EXPECT_EQ(z_->IsLost(), DDERR_SURFACELOST);
  EXPECT_EQ(z_->Restore(), DD_OK);
  EXPECT_EQ(font->Restore(), DD_OK);
  EXPECT_EQ(Get(*font, 15, 15), 0x1234u);  // contents survive
  EXPECT_EQ(back_->BltFast(0, 0, font.get(), nullptr, 0), DD_OK);
  EXPECT_EQ(primary_->Flip(nullptr, flip_flags::kWait), DD_OK);
}

TEST_F(DirectDrawTest, WindowedSurfacesAreNeverLost) {
  ASSERT_EQ(ddraw_->SetCooperativeLevel(window_, cooperation::kNormal), DD_OK);
  ASSERT_EQ(ddraw_->CreateSurface(PlainDesc(8, 8), &back_), DD_OK);
  ddraw_->SetAppActive(false);
  EXPECT_EQ(back_->IsLost(), DD_OK);
  // A plain surface made without the display object belongs to no display.
  Surface plain(4, 4, 16, 0);
  EXPECT_EQ(plain.IsLost(), DD_OK);
}

TEST_F(DirectDrawTest, SurfacesOutliveTheirDisplayObject) {
  FullScreen(800, 600, 24);
  ddraw_.reset();
  Fill(*back_, 0xABCDEF);
  EXPECT_EQ(primary_->Flip(nullptr, flip_flags::kWait), DD_OK);
  EXPECT_EQ(os::LastPresentedPicture().pixels[0], 0xABCDEFu);
}

}  // namespace

#pragma once
// The retained-mode device: renders into a back-buffer surface with a float
// z-buffer beside it. Of the render options the game sets, the software
// rasterizer honours quality and blended transparency; the others have
// nothing to act on here (see their setters) and are accepted as they are.
#include <cstdint>
#include <vector>

#include "platform/ref.h"
#include "platform/result.h"
#include "platform/rm/quality.h"
#include "platform/rm/raster/palette_lut.h"
#include "platform/rm/raster/target.h"
#include "platform/surface/surface.h"

namespace platform::rm {

// Colour model: lights act as grey intensities, faces keep their colours.
constexpr std::uint32_t kColorModelMono = 1;
constexpr std::uint32_t kColorModelRgb = 2;

// Render modes (bits).
constexpr std::uint32_t kRenderModeBlendedTransparency = 1;
constexpr std::uint32_t kRenderModeSortedTransparency = 2;

class Device : public RefCounted {
 public:
  // The back buffer must be 8, 16 or 24 bits per pixel; the z-buffer, when
  // given, must be a z-buffer surface of the same size. Without one the
  // device keeps its own depth buffer. An 8-bit back buffer with a palette
  // gets the device's colour ramp in entries 10 to 245.
  static HResult Create(Ref<surface::Surface> backBuffer, Ref<surface::Surface> zBuffer, Ref<Device>* out);

  Quality GetQuality() const { return quality_; }
  HResult SetQuality(Quality quality);
  std::uint32_t GetRenderMode() const { return renderMode_; }
  HResult SetRenderMode(std::uint32_t mode) { return renderMode_ = mode, kOk; }
  // Colours are drawn in true colour (an 8-bit picture through a fixed
  // colour cube), never dithered, and the game's meshes have no textures;
  // a drawing is complete when the render returns. So colour-ramp shades,
  // dithering, texture filtering and the number of buffers change nothing
  // in the picture.
  HResult SetShades(std::uint32_t) { return kOk; }
  HResult SetDither(bool) { return kOk; }
  HResult SetTextureQuality(std::uint32_t) { return kOk; }
  HResult SetBufferCount(std::uint32_t) { return kOk; }

  // Finishes the picture. Drawing is synchronous, so the picture is already
  // complete in the back buffer.
  HResult Update() { return kOk; }

  int Width() const { return backBuffer_->Width(); }
  int Height() const { return backBuffer_->Height(); }

  // True while the back buffer or the z-buffer is lost (the display was
  // taken away): viewports then draw nothing until the surfaces are restored,
  // rather than fail, since the picture would not be shown anyway.
  bool SurfacesLost() const;

  // For the viewports: the drawing target clipped to a rectangle. Taken
  // afresh for every clear and render (a Flip moves the back buffer's
  // pixels); `clearing`: the caller overwrites the whole rectangle first.
  raster::Target MakeTarget(int x, int y, int w, int h, bool clearing = false);
  // A fresh mark for one shadow's pixels (see raster::Target::shadowMarks).
  std::uint16_t NextShadowMark();

  // A viewport's clear waits for its render, which clears band by band as
  // it draws, while a band's rows are in the cache anyway: the clear of a
  // 1080p picture alone writes 14 MB. Anything else that touches the
  // buffers first (a blit, a flip, another viewport) has it done then.
  // 8-bit clears are done at once: their colour depends on the palette.
  void DeferClear(int x, int y, int w, int h, unsigned r, unsigned g, unsigned b);
  // The clear put off for exactly this rectangle, handed to the render that
  // does it; false (with any other clear done now) when there is none.
  bool TakeClear(int x, int y, int w, int h, unsigned* r, unsigned* g, unsigned* b);
  ~Device() override;
  // Renders draw the clear and the opaque faces band by band from this many
  // bytes of colour and depth on, in bands of about bandBytes (see
  // Viewport::Render); tests lower them.
  std::int64_t BandedFrameBytes() const { return bandedFrameBytes_; }
  int BandBytes() const { return bandBytes_; }
  void SetBanding(std::int64_t fromFrameBytes, int bandBytes) {
    bandedFrameBytes_ = fromFrameBytes;
    bandBytes_ = bandBytes;
  }
  // Threads that draw the bands of one picture (1 to kMaxThreads); a device
  // starts with the default, which the program sets from its command line.
  static constexpr int kMaxThreads = 8;
  int Threads() const { return threads_; }
  void SetThreads(int threads) { threads_ = ClampThreads(threads); }
  static void SetDefaultThreads(int threads);
  static int ClampThreads(int threads) { return threads < 1 ? 1 : threads > kMaxThreads ? kMaxThreads : threads; }

 private:
  Device() = default;
  void ClearNow();
  void DropClear();
  void InstallColorRamp();

  Ref<surface::Surface> backBuffer_, zBuffer_;
  std::vector<float> ownDepth_;  // made all farthest: no rows to clear
  raster::ClearedRows depthRows_, colorRows_;
  std::uint64_t zPixelsSeen_ = ~std::uint64_t{0};  // never yet: nothing known
  std::uint64_t colorPixelsSeen_ = ~std::uint64_t{0};
  std::vector<std::uint16_t> shadowMarks_;
  std::uint16_t shadowMark_ = 0;
  raster::PaletteLut lut_;
  Ref<surface::Palette> rampPalette_;  // the palette holding the colour ramp
  Quality quality_ = kRenderGouraud;
  std::uint32_t renderMode_ = 0;
  std::int64_t bandedFrameBytes_ = std::int64_t{8} << 20;
  int bandBytes_ = 256 * 1024;  // half the second-level cache of the machines we know
  int threads_ = 1;
  struct PendingClear {
    bool pending = false;
    int x = 0, y = 0, w = 0, h = 0;
    unsigned r = 0, g = 0, b = 0;
  } clear_;
};

}  // namespace platform::rm

#pragma once
// 2D surfaces: pixel storage of 8 (palette index), 16 (RGB565) or 24 (RGB888,
// three bytes per pixel, blue first) bits per pixel. The 3D device renders
// into a surface and the overlay blits between them.
//
// A surface made by a DirectDraw object (direct_draw.h) also takes part in
// the display: it can be lost and restored, the primary surface shows what is
// written to it, and a flip chain's back buffer is shown by Flip. A surface
// made with the constructor alone is plain memory that is never lost.
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "platform/os/window.h"
#include "platform/ref.h"
#include "platform/result.h"

namespace platform::surface {

using Rect = os::Rect;  // left, top inclusive; right, bottom exclusive

// Capability bits, with the values the original service gave them.
namespace caps {
constexpr std::uint32_t kBackBuffer = 0x4;
constexpr std::uint32_t kComplex = 0x8;
constexpr std::uint32_t kFlip = 0x10;
constexpr std::uint32_t kFrontBuffer = 0x20;
constexpr std::uint32_t kOffscreenPlain = 0x40;
constexpr std::uint32_t kPalette = 0x100;
constexpr std::uint32_t kPrimarySurface = 0x200;
constexpr std::uint32_t kSystemMemory = 0x800;
constexpr std::uint32_t kTexture = 0x1000;
constexpr std::uint32_t k3DDevice = 0x2000;
constexpr std::uint32_t kVideoMemory = 0x4000;
constexpr std::uint32_t kVisible = 0x8000;
constexpr std::uint32_t kZBuffer = 0x20000;
}  // namespace caps

// Which fields of a SurfaceDesc are given (creating) or filled in (querying).
namespace desc_fields {
constexpr std::uint32_t kCaps = 0x1;
constexpr std::uint32_t kHeight = 0x2;
constexpr std::uint32_t kWidth = 0x4;
constexpr std::uint32_t kPitch = 0x8;
constexpr std::uint32_t kBackBufferCount = 0x20;
constexpr std::uint32_t kZBufferBitDepth = 0x40;
constexpr std::uint32_t kPixelFormat = 0x1000;
constexpr std::uint32_t kSourceColorKey = 0x10000;
}  // namespace desc_fields

// SetColorKey: which key. Only the source blit key is kept.
namespace color_key_flags {
constexpr std::uint32_t kColorSpace = 0x1;  // low..high is a range, not one value
constexpr std::uint32_t kDestBlt = 0x2;
constexpr std::uint32_t kSourceBlt = 0x8;
}  // namespace color_key_flags

namespace blt_flags {
constexpr std::uint32_t kAsync = 0x200;
constexpr std::uint32_t kColorFill = 0x400;
constexpr std::uint32_t kSourceColorKey = 0x8000;
constexpr std::uint32_t kWait = 0x1000000;
}  // namespace blt_flags

namespace blt_fast_flags {
constexpr std::uint32_t kNoColorKey = 0x0;
constexpr std::uint32_t kSourceColorKey = 0x1;
constexpr std::uint32_t kDestColorKey = 0x2;
constexpr std::uint32_t kWait = 0x10;
}  // namespace blt_fast_flags

namespace flip_flags {
constexpr std::uint32_t kWait = 0x1;
}  // namespace flip_flags

// A colour key in the surface's own pixel format: a palette index, an RGB565
// value or an 0xRRGGBB value. Bits above the format's depth are ignored, so
// 0xFFFFFF is white in 16 and 24 bits and index 255 in 8 bits.
struct ColorKey {
  std::uint32_t low = 0, high = 0;
};

struct SurfaceDesc {
  std::uint32_t fields = 0;  // desc_fields
  int width = 0, height = 0;
  int pitch = 0;  // filled in only
  int backBufferCount = 0;
  int zBufferBitDepth = 0;
  int bitsPerPixel = 0;                                    // with desc_fields::kPixelFormat: 8, 16 or 24
  std::uint32_t redMask = 0, greenMask = 0, blueMask = 0;  // filled in only
  ColorKey sourceColorKey;
  std::uint32_t caps = 0;
};

struct BltEffects {
  std::uint32_t fillColor = 0;  // blt_flags::kColorFill, in the surface's format
};

struct PaletteEntry {
  std::uint8_t red = 0, green = 0, blue = 0, flags = 0;
};

class Palette : public RefCounted {
 public:
  explicit Palette(const std::array<PaletteEntry, 256>& entries) : entries_(entries) {}
  const std::array<PaletteEntry, 256>& Entries() const { return entries_; }
  void SetEntries(const std::array<PaletteEntry, 256>& entries) { entries_ = entries; }

 private:
  std::array<PaletteEntry, 256> entries_;
};

class Clipper;
class DeviceContext;
class DirectDraw;
struct DisplayState;

class Surface : public RefCounted {
 public:
  // A z-buffer surface (caps::kZBuffer) keeps one 32-bit float per pixel,
  // whatever depth it was asked for; BitsPerPixel() reports the asked depth.
  Surface(int width, int height, int bitsPerPixel, std::uint32_t caps);
  ~Surface() override;

  int Width() const { return width_; }
  int Height() const { return height_; }
  int BitsPerPixel() const { return bitsPerPixel_; }
  int BytesPerPixel() const { return bytesPerPixel_; }
  int Pitch() const { return pitch_; }  // bytes from one row to the next
  std::uint32_t Caps() const { return caps_; }
  bool IsZBuffer() const { return (caps_ & caps::kZBuffer) != 0; }

  // The storage of a plain surface never moves. Flip exchanges the storage
  // of a flip chain's front and back buffer, so pointers into either are
  // good only until the next Flip: take them afresh for each frame.
  std::uint8_t* Pixels() {
    SettleToWrite();
    ++pixelsHandedOut_;
    return pixels_.data();
  }
  const std::uint8_t* Pixels() const {
    SettleToRead();
    return pixels_.data();
  }
  std::uint8_t* Row(int y) { return Pixels() + static_cast<std::size_t>(y) * pitch_; }
  const std::uint8_t* Row(int y) const { return Pixels() + static_cast<std::size_t>(y) * pitch_; }
  // How many times the pixels were handed out to write, or changed by a
  // flip: a user that keeps what it knows of them (a 3D device, of its
  // buffers) sees from this whether anyone else may have written them since
  // it last looked.
  std::uint64_t PixelsHandedOut() const { return pixelsHandedOut_; }
  // Work owed to the pixels before anyone else may see them: a 3D device
  // that puts off a clear, to do it band by band as it draws, leaves it
  // here. It runs once, before the pixels are next handed out or flipped,
  // unless its owner takes it back first.
  void DeferWork(std::function<void()> work) { deferred_ = std::move(work); }
  void TakeBackWork() { deferred_ = nullptr; }

  // Pixels() for a writer that overwrites all of `area` before it reads any
  // of it (a clear). When that is the whole surface, a back buffer does not
  // first copy the picture it owes from the last Flip.
  std::uint8_t* PixelsToOverwrite(const Rect& area);

  Palette* GetPalette() const { return palette_.get(); }
  // Any surface holds a palette; it changes the colours only of 8-bit
  // surfaces (and, on the primary surface, of the display).
  HResult SetPalette(Ref<Palette> palette);

  HResult GetSurfaceDesc(SurfaceDesc* desc) const;

  // The back buffer of a flip chain's front (caps::kBackBuffer) or the
  // z-buffer attached to a render target (caps::kZBuffer).
  HResult GetAttachedSurface(std::uint32_t wantedCaps, Ref<Surface>* out) const;
  // Attaches a z-buffer of the same size.
  HResult AddAttachedSurface(Ref<Surface> zBuffer);
  Surface* AttachedZBuffer() const { return zBuffer_.get(); }

  // Only color_key_flags::kSourceBlt (optionally with kColorSpace) is kept; a
  // null key removes it.
  HResult SetColorKey(std::uint32_t flags, const ColorKey* key);

  // The clipper limits Blt (not BltFast) to its window's client area.
  HResult SetClipper(Ref<Clipper> clipper);

  // Copies `sourceRect` of `source` (null: all of it) to (x, y), unscaled.
  // A rectangle that is not wholly inside its surface is refused and nothing
  // is drawn. Both surfaces must have the same depth.
  HResult BltFast(int x, int y, Surface* source, const Rect* sourceRect, std::uint32_t flags);
  // Copies `sourceRect` of `source` into `destRect` (null: whole surfaces),
  // stretching by nearest pixel; with a clipper the destination is cut to
  // the clip area, otherwise it must lie inside the surface. With
  // blt_flags::kColorFill, fills `destRect` with effects->fillColor instead.
  HResult Blt(const Rect* destRect, Surface* source, const Rect* sourceRect, std::uint32_t flags,
              const BltEffects* effects = nullptr);
  // On the front of a flip chain: the back buffer's picture becomes the
  // visible one. The back buffer keeps its picture: the two exchange their
  // storage, and the back buffer copies the picture back only when its
  // pixels are next asked for, unless they are to be overwritten whole.
  HResult Flip(Surface* target, std::uint32_t flags);

  // DD_OK, or DDERR_SURFACELOST after the display was taken away.
  HResult IsLost() const;
  // Makes a lost surface usable again, with its pixels as they were.
  HResult Restore();

  // A drawing context on the surface (device_context.h), one at a time.
  HResult GetDC(DeviceContext* dc);
  HResult ReleaseDC(DeviceContext* dc);

 private:
  friend class DirectDraw;

  bool Lost() const;
  // Before the pixels of a flip chain's buffers are handed out: a back
  // buffer takes the copy of the front's picture it owes before its pixels
  // are read or written, and before the front's are written.
  void SettleToRead() const {
    if (deferred_) RunDeferredWork();
    if (owesPicture_) PayOwedPicture();
  }
  void SettleToWrite() const {
    if (deferred_) RunDeferredWork();
    if (owesPicture_ || (backBuffer_ && backBuffer_->owesPicture_)) PayOwedPicture();
  }
  void PayOwedPicture() const;
  void RunDeferredWork() const;
  // Shows `changed` (surface coordinates) when this is the visible primary.
  void PresentIfVisible(const Rect& changed);
  // The area a clipped Blt may write; false when the clipper has no window.
  bool ClipArea(Rect* area) const;

  int width_, height_, bitsPerPixel_, bytesPerPixel_, pitch_;
  std::uint32_t caps_;
  // Mutable: reading a back buffer's pixels may first pay the copy it owes.
  mutable std::vector<std::uint8_t> pixels_;
  Ref<Palette> palette_;

  std::shared_ptr<DisplayState> display_;  // null for plain surfaces
  std::uint64_t restoredGeneration_ = 0;
  bool implicit_ = false;  // a flip chain's back buffer, restored with its front
  Ref<Surface> backBuffer_;
  Surface* front_ = nullptr;  // of a flip chain's back buffer, while the front lives
  // A back buffer after Flip: its picture is in the front's storage, and
  // its own storage holds the front's previous picture.
  mutable bool owesPicture_ = false;
  mutable std::function<void()> deferred_;     // see DeferWork
  mutable std::uint64_t pixelsHandedOut_ = 0;  // and the pixels changed by a flip
  Ref<Surface> zBuffer_;
  Ref<Clipper> clipper_;
  bool hasSourceKey_ = false;
  bool sourceKeyIsRange_ = false;
  ColorKey sourceKey_;
  bool dcTaken_ = false;
};

}  // namespace platform::surface

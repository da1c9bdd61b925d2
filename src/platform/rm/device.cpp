#include "platform/rm/device.h"

#include <algorithm>

#include "platform/rm/rm_result.h"

namespace platform::rm {
namespace {

bool ValidQuality(Quality q) {
  return ShadeOf(q) <= kShadePhong && LightOf(q) <= kLightOn && FillOf(q) <= kFillSolid &&
         (q & ~(kShadeMask | kLightMask | kFillMask)) == 0;
}

// Set once at start-up, before any device is made.
int defaultThreads = 1;

}  // namespace

void Device::SetDefaultThreads(int threads) { defaultThreads = ClampThreads(threads); }

HResult Device::Create(Ref<surface::Surface> backBuffer, Ref<surface::Surface> zBuffer, Ref<Device>* out) {
  if (!out) return kEInvalidArg;
  *out = nullptr;
  if (!backBuffer || backBuffer->IsZBuffer() || backBuffer->Width() <= 0 || backBuffer->Height() <= 0)
    return kEInvalidArg;
  int bpp = backBuffer->BitsPerPixel();
  if (bpp != 8 && bpp != 16 && bpp != 24) return kEInvalidArg;
  if (!zBuffer) zBuffer = Ref<surface::Surface>(backBuffer->AttachedZBuffer());
  if (zBuffer &&
      (!zBuffer->IsZBuffer() || zBuffer->Width() != backBuffer->Width() || zBuffer->Height() != backBuffer->Height()))
    return kEInvalidArg;
  Ref<Device> d(new Device);
  d->backBuffer_ = std::move(backBuffer);
  d->zBuffer_ = std::move(zBuffer);
  d->threads_ = defaultThreads;
  std::size_t pixels = static_cast<std::size_t>(d->Width()) * d->Height();
  if (!d->zBuffer_) d->ownDepth_.assign(pixels, 0.0f);
  d->shadowMarks_.assign(pixels, 0);
  if (bpp == 8) d->InstallColorRamp();
  *out = std::move(d);
  return kOk;
}

HResult Device::SetQuality(Quality quality) {
  if (!ValidQuality(quality)) return kErrBadValue;
  quality_ = quality;
  return kOk;
}

bool Device::SurfacesLost() const { return backBuffer_->IsLost() != kOk || (zBuffer_ && zBuffer_->IsLost() != kOk); }

void Device::InstallColorRamp() {
  surface::Palette* palette = backBuffer_->GetPalette();
  if (!palette) return;
  // Colours are matched against this palette from now on, whatever palette
  // is attached to the back buffer later: the display shows this one.
  rampPalette_ = Ref<surface::Palette>(palette);
  // Entries 10..245 (236 of them): a 6x6x6 colour cube and 20 greys between
  // its steps; the 20 static colours around them stay as they are.
  auto entries = palette->Entries();
  int i = 10;
  for (int r = 0; r < 6; ++r)
    for (int g = 0; g < 6; ++g)
      for (int b = 0; b < 6; ++b, ++i) {
        auto& e = entries[i];
        e.red = static_cast<std::uint8_t>(r * 51);
        e.green = static_cast<std::uint8_t>(g * 51);
        e.blue = static_cast<std::uint8_t>(b * 51);
      }
  // Greys between the cube's steps, none so close to black or white that
  // those would be matched to a grey.
  for (int step = 0; step < 5; ++step)
    for (int k : {10, 20, 31, 41}) {
      auto v = static_cast<std::uint8_t>(step * 51 + k);
      entries[i].red = entries[i].green = entries[i].blue = v;
      ++i;
    }
  palette->SetEntries(entries);
}

raster::Target Device::MakeTarget(int x, int y, int w, int h, bool clearing) {
  raster::Target t;
  surface::Surface& bb = *backBuffer_;
  depthRows_.width = zBuffer_ ? zBuffer_->Width() : bb.Width();
  depthRows_.height = zBuffer_ ? zBuffer_->Height() : bb.Height();
  colorRows_.width = bb.Width();
  colorRows_.height = bb.Height();
  t.colorPitch = bb.Pitch();
  t.bitsPerPixel = bb.BitsPerPixel();
  if (zBuffer_) {
    // Whoever else took the z-buffer's pixels may have written any depth.
    if (zBuffer_->PixelsHandedOut() != zPixelsSeen_) depthRows_.Forget();
    t.depth = reinterpret_cast<float*>(zBuffer_->Pixels());
    zPixelsSeen_ = zBuffer_->PixelsHandedOut();
    t.depthPitch = zBuffer_->Pitch() / static_cast<int>(sizeof(float));
  } else {
    t.depth = ownDepth_.data();
    t.depthPitch = bb.Width();
  }
  t.depthRows = &depthRows_;
  t.x0 = std::clamp(x, 0, bb.Width());
  t.y0 = std::clamp(y, 0, bb.Height());
  t.x1 = std::clamp(x + std::max(w, 0), t.x0, bb.Width());
  t.y1 = std::clamp(y + std::max(h, 0), t.y0, bb.Height());
  if (t.bitsPerPixel == 8) {
    if (surface::Palette* palette = rampPalette_ ? rampPalette_.get() : bb.GetPalette()) {
      lut_.Update(*palette);
      t.lut = &lut_;
    }
  }
  t.shadowMarks = shadowMarks_.data();
  t.shadowPitch = bb.Width();
  t.shadowMark = shadowMark_;
  // Whoever else took the back buffer's pixels may have written any colour
  // (and a flip gives it the front buffer's).
  if (bb.PixelsHandedOut() != colorPixelsSeen_) colorRows_.Forget();
  // Only a clear that will draw excuses the back buffer from copying back
  // the picture it owes since the last Flip.
  t.color = clearing && t.ReadyButColor() ? bb.PixelsToOverwrite({t.x0, t.y0, t.x1, t.y1}) : bb.Pixels();
  colorPixelsSeen_ = bb.PixelsHandedOut();
  t.colorRows = &colorRows_;
  return t;
}

Device::~Device() {
  if (clear_.pending) ClearNow();
}

void Device::DeferClear(int x, int y, int w, int h, unsigned r, unsigned g, unsigned b) {
  if (clear_.pending) ClearNow();
  clear_ = {true, x, y, w, h, r, g, b};
  if (backBuffer_->BitsPerPixel() == 8) {
    ClearNow();
    return;
  }
  backBuffer_->DeferWork([this] { ClearNow(); });
  if (zBuffer_) zBuffer_->DeferWork([this] { ClearNow(); });
}

bool Device::TakeClear(int x, int y, int w, int h, unsigned* r, unsigned* g, unsigned* b) {
  if (!clear_.pending) return false;
  if (clear_.x != x || clear_.y != y || clear_.w != w || clear_.h != h) {
    ClearNow();
    return false;
  }
  *r = clear_.r;
  *g = clear_.g;
  *b = clear_.b;
  DropClear();
  return true;
}

void Device::DropClear() {
  clear_.pending = false;
  backBuffer_->TakeBackWork();
  if (zBuffer_) zBuffer_->TakeBackWork();
}

void Device::ClearNow() {
  const PendingClear c = clear_;
  DropClear();
  raster::Clear(MakeTarget(c.x, c.y, c.w, c.h, true), c.r, c.g, c.b, true, true);
}

std::uint16_t Device::NextShadowMark() {
  if (++shadowMark_ == 0) {
    // Wrapped: old marks could now match, so forget them all.
    std::fill(shadowMarks_.begin(), shadowMarks_.end(), 0);
    shadowMark_ = 1;
  }
  return shadowMark_;
}

}  // namespace platform::rm

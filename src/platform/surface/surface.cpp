#include "platform/surface/surface.h"

#include <algorithm>
#include <cstring>

#include "platform/surface/clipper.h"
#include "platform/surface/ddraw_result.h"
#include "platform/surface/device_context.h"
#include "platform/surface/display_state.h"
#include "platform/surface/pixel_format.h"
#include "platform/surface/present.h"

namespace platform::surface {

namespace {
int BytesFor(int bitsPerPixel, std::uint32_t caps) {
  if (caps & caps::kZBuffer) return 4;
  return std::max(1, (bitsPerPixel + 7) / 8);
}
}  // namespace

Surface::Surface(int width, int height, int bitsPerPixel, std::uint32_t caps)
    : width_(std::max(0, width)),
      height_(std::max(0, height)),
      bitsPerPixel_(bitsPerPixel),
      bytesPerPixel_(BytesFor(bitsPerPixel, caps)),
      pitch_(width_ * bytesPerPixel_),
      caps_(caps),
      pixels_(static_cast<std::size_t>(pitch_) * height_) {}

Surface::~Surface() {
  if (display_ && display_->primary == this) display_->primary = nullptr;
  if (backBuffer_) {
    SettleToWrite();  // the picture the back buffer owes is here, about to go
    backBuffer_->front_ = nullptr;
  }
}

void Surface::PayOwedPicture() const {
  const Surface* back = owesPicture_ ? this : backBuffer_.get();
  back->owesPicture_ = false;
  ++back->pixelsHandedOut_;
  std::memcpy(back->pixels_.data(), back->front_->pixels_.data(), back->pixels_.size());
}

void Surface::RunDeferredWork() const {
  std::function<void()> work = std::move(deferred_);
  deferred_ = nullptr;
  work();
}

std::uint8_t* Surface::PixelsToOverwrite(const Rect& area) {
  if (deferred_) RunDeferredWork();
  if (owesPicture_ && area.left <= 0 && area.top <= 0 && area.right >= width_ && area.bottom >= height_)
    owesPicture_ = false;
  return Pixels();
}

HResult Surface::SetPalette(Ref<Palette> palette) {
  palette_ = std::move(palette);
  return DD_OK;
}

HResult Surface::GetSurfaceDesc(SurfaceDesc* desc) const {
  if (!desc) return DDERR_INVALIDPARAMS;
  SurfaceDesc d;
  d.fields =
      desc_fields::kCaps | desc_fields::kWidth | desc_fields::kHeight | desc_fields::kPitch | desc_fields::kPixelFormat;
  d.width = width_;
  d.height = height_;
  d.pitch = pitch_;
  d.caps = caps_;
  d.bitsPerPixel = bitsPerPixel_;
  if (IsZBuffer()) {
    d.fields |= desc_fields::kZBufferBitDepth;
    d.zBufferBitDepth = bitsPerPixel_;
  } else if (bitsPerPixel_ == 16) {
    d.redMask = 0xF800;
    d.greenMask = 0x07E0;
    d.blueMask = 0x001F;
  } else if (bitsPerPixel_ == 24) {
    d.redMask = 0xFF0000;
    d.greenMask = 0x00FF00;
    d.blueMask = 0x0000FF;
  }
  if (backBuffer_) {
    d.fields |= desc_fields::kBackBufferCount;
    d.backBufferCount = 1;
  }
  if (hasSourceKey_) {
    d.fields |= desc_fields::kSourceColorKey;
    d.sourceColorKey = sourceKey_;
  }
  *desc = d;
  return DD_OK;
}

HResult Surface::GetAttachedSurface(std::uint32_t wantedCaps, Ref<Surface>* out) const {
  if (!out || wantedCaps == 0) return DDERR_INVALIDPARAMS;
  for (const Ref<Surface>& s : {backBuffer_, zBuffer_}) {
    if (s && (s->caps_ & wantedCaps) == wantedCaps) {
      *out = s;
      return DD_OK;
    }
  }
  *out = nullptr;
  return DDERR_NOTFOUND;
}

HResult Surface::AddAttachedSurface(Ref<Surface> zBuffer) {
  if (!zBuffer) return DDERR_INVALIDPARAMS;
  if (zBuffer.get() == this || IsZBuffer() || !zBuffer->IsZBuffer() || zBuffer->width_ != width_ ||
      zBuffer->height_ != height_)
    return DDERR_CANNOTATTACHSURFACE;
  if (zBuffer_) return DDERR_SURFACEALREADYATTACHED;
  if (Lost() || zBuffer->Lost()) return DDERR_SURFACELOST;
  zBuffer_ = std::move(zBuffer);
  return DD_OK;
}

HResult Surface::SetColorKey(std::uint32_t flags, const ColorKey* key) {
  const std::uint32_t known = color_key_flags::kSourceBlt | color_key_flags::kColorSpace;
  if (!(flags & color_key_flags::kSourceBlt)) {
    // Destination and overlay keys are never used by blits here.
    return (flags & ~known) ? DDERR_UNSUPPORTED : DDERR_INVALIDPARAMS;
  }
  if (flags & ~known) return DDERR_UNSUPPORTED;
  if (Lost()) return DDERR_SURFACELOST;
  if (IsZBuffer()) return DDERR_INVALIDSURFACETYPE;
  if (!key) {
    hasSourceKey_ = false;
    return DD_OK;
  }
  const std::uint32_t mask = PixelMask(bitsPerPixel_);
  sourceKeyIsRange_ = (flags & color_key_flags::kColorSpace) != 0;
  sourceKey_.low = key->low & mask;
  sourceKey_.high = sourceKeyIsRange_ ? key->high & mask : sourceKey_.low;
  hasSourceKey_ = true;
  return DD_OK;
}

HResult Surface::SetClipper(Ref<Clipper> clipper) {
  clipper_ = std::move(clipper);
  return DD_OK;
}

bool Surface::Lost() const { return display_ && restoredGeneration_ < display_->lostGeneration; }

HResult Surface::IsLost() const { return Lost() ? DDERR_SURFACELOST : DD_OK; }

HResult Surface::Restore() {
  if (!Lost()) return DD_OK;
  if (implicit_) return DDERR_IMPLICITLYCREATED;
  // While another program holds the display, nothing can come back.
  if (display_->exclusive && !display_->active) return DDERR_WRONGMODE;
  restoredGeneration_ = display_->lostGeneration;
  if (backBuffer_) backBuffer_->restoredGeneration_ = display_->lostGeneration;
  return DD_OK;
}

bool Surface::ClipArea(Rect* area) const {
  *area = {0, 0, width_, height_};
  if (!clipper_) return true;
  os::Window* window = clipper_->GetHWnd();
  if (!window) return false;
  Rect client = os::GetClientRect(window);
  os::Point origin = os::ClientToScreen(window, {0, 0});
  area->left = std::max(area->left, origin.x);
  area->top = std::max(area->top, origin.y);
  area->right = std::min(area->right, origin.x + client.Width());
  area->bottom = std::min(area->bottom, origin.y + client.Height());
  return true;
}

void Surface::PresentIfVisible(const Rect& changed) {
  if (!display_ || display_->primary != this) return;
  // Headless without screenshots, converting the whole screen every turn
  // would be most of the cost of showing it to nobody.
  if (!os::PresentedPicturesSeen()) return;
  const std::array<PaletteEntry, 256>* entries = palette_ ? &palette_->Entries() : nullptr;
  os::Picture& picture = display_->picture;
  if (display_->exclusive) {
    // Full screen: the whole picture, scaled to the screen by the window system.
    os::Window* window = display_->window;
    if (!window) return;
    if (ConvertToPicture(*this, {0, 0, width_, height_}, entries, &picture))
      os::PresentPicture(window, picture, {0, 0, width_, height_});
    return;
  }
  // In a window the primary is the desktop: show the changed part in the
  // client area it covers.
  os::Window* window = clipper_ && clipper_->GetHWnd() ? clipper_->GetHWnd() : display_->window;
  if (!window) return;
  if (!ConvertToPicture(*this, changed, entries, &picture)) return;
  os::Point origin = os::ClientToScreen(window, {0, 0});
  Rect destination{std::max(changed.left, 0) - origin.x, std::max(changed.top, 0) - origin.y, 0, 0};
  destination.right = destination.left + picture.width;
  destination.bottom = destination.top + picture.height;
  os::PresentPicture(window, picture, destination);
}

HResult Surface::GetDC(DeviceContext* dc) {
  if (!dc) return DDERR_INVALIDPARAMS;
  if (Lost()) return DDERR_SURFACELOST;
  if (IsZBuffer() || bytesPerPixel_ > 3) return DDERR_CANTCREATEDC;
  if (dcTaken_) return DDERR_DCALREADYCREATED;
  dcTaken_ = true;
  dc->surface_ = this;
  return DD_OK;
}

HResult Surface::ReleaseDC(DeviceContext* dc) {
  if (!dc || dc->surface_ != this || !dcTaken_) return DDERR_NODC;
  dcTaken_ = false;
  dc->surface_ = nullptr;
  return DD_OK;
}

}  // namespace platform::surface

// The copying operations of a surface: BltFast, Blt (stretching, colour
// keys, colour fill, clipping) and Flip.
#include <algorithm>
#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "platform/surface/ddraw_result.h"
#include "platform/surface/display_state.h"
#include "platform/surface/pixel_format.h"
#include "platform/surface/surface.h"

namespace platform::surface {

namespace {

struct KeyTest {
  bool use = false;
  std::uint32_t low = 0, high = 0;
  // Whether a source pixel of this value is left out (when `use`).
  bool Hides(std::uint32_t value) const { return value >= low && value <= high; }
};

bool IsEmpty(const Rect& r) { return r.left >= r.right || r.top >= r.bottom; }

// Far beyond any surface; keeps widths and the stretch arithmetic in range.
bool WithinReach(const Rect& r) {
  constexpr int kReach = 1 << 28;
  return r.left > -kReach && r.top > -kReach && r.right < kReach && r.bottom < kReach;
}

bool Inside(const Rect& r, const Surface& s) {
  return !IsEmpty(r) && r.left >= 0 && r.top >= 0 && r.right <= s.Width() && r.bottom <= s.Height();
}

Rect Intersect(const Rect& a, const Rect& b) {
  return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
}

bool Overlap(const Rect& a, const Rect& b) { return !IsEmpty(Intersect(a, b)); }

// The game only copies between surfaces of one depth; converting would hide
// a mistake.
HResult CheckPair(const Surface& destination, const Surface& source) {
  if (destination.IsZBuffer() || source.IsZBuffer() || destination.BytesPerPixel() > 3) return DDERR_INVALIDSURFACETYPE;
  if (destination.BitsPerPixel() != source.BitsPerPixel()) return DDERR_INVALIDPIXELFORMAT;
  return DD_OK;
}

// The source column under each destination column's centre, x by x from
// `x`: column x takes srcRect.left + (2(x - dstRect.left) + 1)·sw / (2·dw),
// stepped as a quotient and remainder instead of divided at every pixel
// (the overlay's keyed and scaled panels took a fifth of a headless 1080p
// run).
class SourceColumns {
 public:
  SourceColumns(const Rect& dstRect, const Rect& srcRect, int x) : den_(2LL * dstRect.Width()), left_(srcRect.left) {
    const long long sw = srcRect.Width(), step = 2 * sw;
    const long long at = (2LL * (x - dstRect.left) + 1) * sw;
    quotient_ = at / den_;
    remainder_ = at % den_;
    stepQuotient_ = step / den_;
    stepRemainder_ = step % den_;
  }
  int operator*() const { return left_ + static_cast<int>(quotient_); }
  void operator++() {
    quotient_ += stepQuotient_;
    remainder_ += stepRemainder_;
    if (remainder_ >= den_) {
      remainder_ -= den_;
      ++quotient_;
    }
  }

 private:
  long long den_, quotient_, remainder_, stepQuotient_, stepRemainder_;
  int left_;
};

// One row of a scaled or keyed copy, `Bpp` bytes a pixel.
template <int Bpp>
void CopyColumns(std::uint8_t* drow, const std::uint8_t* srow, int x0, int x1, SourceColumns column,
                 const KeyTest& key) {
  for (int x = x0; x < x1; ++x, ++column) {
    const std::uint8_t* sp = srow + static_cast<std::size_t>(*column) * Bpp;
    if (key.use && key.Hides(LoadPixel(sp, Bpp))) continue;
    std::memcpy(drow + static_cast<std::size_t>(x) * Bpp, sp, Bpp);
  }
}

#if defined(__SSE2__)
// An unscaled keyed row of 16-bit pixels, eight at a time: the pixels
// outside the key's range replace the destination's, the others leave it
// (written back as it was). The overlay's panels and key guide at 16 bits.
void CopyKeyed16(std::uint8_t* drow, const std::uint8_t* srow, int count, const KeyTest& key) {
  // Unsigned 16-bit order as signed order, with the top bit flipped.
  const __m128i flip = _mm_set1_epi16(static_cast<short>(0x8000));
  const __m128i low = _mm_set1_epi16(static_cast<short>(key.low ^ 0x8000u));
  const __m128i high = _mm_set1_epi16(static_cast<short>(key.high ^ 0x8000u));
  int x = 0;
  for (; x + 8 <= count; x += 8) {
    const __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(srow + 2 * x));
    const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(drow + 2 * x));
    const __m128i v = _mm_xor_si128(s, flip);
    const __m128i shown = _mm_or_si128(_mm_cmplt_epi16(v, low), _mm_cmpgt_epi16(v, high));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(drow + 2 * x),
                     _mm_or_si128(_mm_and_si128(shown, s), _mm_andnot_si128(shown, d)));
  }
  for (; x < count; ++x)
    if (!key.Hides(LoadPixel(srow + 2 * x, 2))) std::memcpy(drow + 2 * x, srow + 2 * x, 2);
}
#endif

// Copies `srcRect` of `src` onto `dstRect` of `dst`, nearest pixel, writing
// only the part `visible` of `dstRect`. Source and destination must not
// share pixels.
void CopyRect(Surface& dst, const Rect& dstRect, const Rect& visible, const Surface& src, const Rect& srcRect,
              const KeyTest& key) {
  const int bpp = dst.BytesPerPixel();
  const long long dw = dstRect.Width(), dh = dstRect.Height();
  const long long sw = srcRect.Width(), sh = srcRect.Height();
  const bool unscaled = dw == sw && dh == sh;
  const SourceColumns first(dstRect, srcRect, visible.left);
  for (int y = visible.top; y < visible.bottom; ++y) {
    // Each destination pixel takes the source pixel under its centre.
    const int sy = srcRect.top + static_cast<int>((2 * (y - dstRect.top) + 1) * sh / (2 * dh));
    const std::uint8_t* srow = src.Row(sy);
    std::uint8_t* drow = dst.Row(y);
    if (unscaled && !key.use) {
      std::memcpy(drow + static_cast<std::size_t>(visible.left) * bpp, srow + static_cast<std::size_t>(*first) * bpp,
                  static_cast<std::size_t>(visible.Width()) * bpp);
      continue;
    }
#if defined(__SSE2__)
    if (unscaled && bpp == 2) {
      CopyKeyed16(drow + static_cast<std::size_t>(visible.left) * 2, srow + static_cast<std::size_t>(*first) * 2,
                  visible.Width(), key);
      continue;
    }
#endif
    switch (bpp) {
      case 1: CopyColumns<1>(drow, srow, visible.left, visible.right, first, key); break;
      case 2: CopyColumns<2>(drow, srow, visible.left, visible.right, first, key); break;
      default: CopyColumns<3>(drow, srow, visible.left, visible.right, first, key); break;
    }
  }
}

// As CopyRect, also when a surface copies onto itself with the rectangles
// overlapping: the source part is taken aside first.
void CopyRectSafely(Surface& dst, const Rect& dstRect, const Rect& visible, const Surface& src, const Rect& srcRect,
                    const KeyTest& key) {
  if (&dst != &src || !Overlap(srcRect, visible)) {
    CopyRect(dst, dstRect, visible, src, srcRect, key);
    return;
  }
  Surface aside(srcRect.Width(), srcRect.Height(), src.BitsPerPixel(), 0);
  const std::size_t rowBytes = static_cast<std::size_t>(srcRect.Width()) * src.BytesPerPixel();
  for (int y = 0; y < srcRect.Height(); ++y)
    std::memcpy(aside.Row(y), src.Row(srcRect.top + y) + srcRect.left * src.BytesPerPixel(), rowBytes);
  CopyRect(dst, dstRect, visible, aside, {0, 0, srcRect.Width(), srcRect.Height()}, key);
}

}  // namespace

HResult Surface::BltFast(int x, int y, Surface* source, const Rect* sourceRect, std::uint32_t flags) {
  if (flags & ~(blt_fast_flags::kSourceColorKey | blt_fast_flags::kWait)) return DDERR_UNSUPPORTED;
  if (!source) return DDERR_INVALIDPARAMS;
  if (Lost() || source->Lost()) return DDERR_SURFACELOST;
  if (HResult r = CheckPair(*this, *source); Failed(r)) return r;
  if (clipper_) return DDERR_BLTFASTCANTCLIP;
  const Rect src = sourceRect ? *sourceRect : Rect{0, 0, source->width_, source->height_};
  if (!Inside(src, *source)) return DDERR_INVALIDRECT;
  const long long right = static_cast<long long>(x) + src.Width();
  const long long bottom = static_cast<long long>(y) + src.Height();
  if (x < 0 || y < 0 || right > width_ || bottom > height_) return DDERR_INVALIDRECT;
  const Rect dst{x, y, static_cast<int>(right), static_cast<int>(bottom)};
  KeyTest key;
  if (flags & blt_fast_flags::kSourceColorKey) {
    if (!source->hasSourceKey_) return DDERR_NOCOLORKEY;
    key = {true, source->sourceKey_.low, source->sourceKey_.high};
  }
  CopyRectSafely(*this, dst, dst, *source, src, key);
  PresentIfVisible(dst);
  return DD_OK;
}

HResult Surface::Blt(const Rect* destRect, Surface* source, const Rect* sourceRect, std::uint32_t flags,
                     const BltEffects* effects) {
  const std::uint32_t known = blt_flags::kAsync | blt_flags::kColorFill | blt_flags::kSourceColorKey | blt_flags::kWait;
  if (flags & ~known) return DDERR_UNSUPPORTED;
  if (Lost()) return DDERR_SURFACELOST;
  if (IsZBuffer() || bytesPerPixel_ > 3) return DDERR_INVALIDSURFACETYPE;
  const Rect dst = destRect ? *destRect : Rect{0, 0, width_, height_};
  if (IsEmpty(dst) || !WithinReach(dst)) return DDERR_INVALIDRECT;
  Rect visible = dst;
  if (clipper_) {
    Rect area;
    if (!ClipArea(&area)) return DDERR_NOCLIPLIST;
    visible = Intersect(dst, area);
  } else if (!Inside(dst, *this)) {
    return DDERR_INVALIDRECT;
  }

  if (flags & blt_flags::kColorFill) {
    if (!effects) return DDERR_INVALIDPARAMS;
    if (IsEmpty(visible)) return DD_OK;
    const std::uint32_t value = effects->fillColor & PixelMask(bitsPerPixel_);
    for (int y = visible.top; y < visible.bottom; ++y) {
      std::uint8_t* p = Row(y) + static_cast<std::size_t>(visible.left) * bytesPerPixel_;
      for (int x = visible.left; x < visible.right; ++x, p += bytesPerPixel_) StorePixel(p, bytesPerPixel_, value);
    }
    PresentIfVisible(visible);
    return DD_OK;
  }

  if (!source) return DDERR_INVALIDPARAMS;
  if (source->Lost()) return DDERR_SURFACELOST;
  if (HResult r = CheckPair(*this, *source); Failed(r)) return r;
  const Rect src = sourceRect ? *sourceRect : Rect{0, 0, source->width_, source->height_};
  if (!Inside(src, *source)) return DDERR_INVALIDRECT;
  KeyTest key;
  if (flags & blt_flags::kSourceColorKey) {
    if (!source->hasSourceKey_) return DDERR_NOCOLORKEY;
    key = {true, source->sourceKey_.low, source->sourceKey_.high};
  }
  if (IsEmpty(visible)) return DD_OK;  // wholly clipped away
  CopyRectSafely(*this, dst, visible, *source, src, key);
  PresentIfVisible(visible);
  return DD_OK;
}

HResult Surface::Flip(Surface* target, std::uint32_t flags) {
  if (!(caps_ & caps::kFlip) || !backBuffer_ || backBuffer_.get() == this) return DDERR_NOTFLIPPABLE;
  if (target && target != backBuffer_.get()) return DDERR_INVALIDPARAMS;
  if (flags & ~flip_flags::kWait) return DDERR_INVALIDPARAMS;
  if (Lost() || backBuffer_->Lost()) return DDERR_SURFACELOST;
  // Exchanging the storage instead of copying 6 MB at 1080p: the back
  // buffer owes itself the picture and copies it back only if its pixels are
  // read or partly drawn before a clear overwrites them all (a game clears
  // the whole back buffer every frame, so the copy is mostly never made).
  // A back buffer that owes its picture already shows it.
  Surface& back = *backBuffer_;
  if (back.deferred_) back.RunDeferredWork();  // the picture shown is the one with it done
  if (!back.owesPicture_) {
    ++pixelsHandedOut_;
    ++back.pixelsHandedOut_;
    if (back.front_ == this && back.pixels_.size() == pixels_.size()) {
      pixels_.swap(back.pixels_);
      back.owesPicture_ = true;
    } else {
      std::memcpy(pixels_.data(), back.pixels_.data(), std::min(pixels_.size(), back.pixels_.size()));
    }
  }
  PresentIfVisible({0, 0, width_, height_});
  return DD_OK;
}

}  // namespace platform::surface

#include "platform/surface/device_context.h"

#include <algorithm>

#include "platform/surface/ddraw_result.h"
#include "platform/surface/pixel_format.h"
#include "platform/surface/system_palette.h"

namespace platform::surface {

namespace {
Rect ClipTo(const Rect& r, int width, int height) {
  return {std::max(r.left, 0), std::max(r.top, 0), std::min(r.right, width), std::min(r.bottom, height)};
}

// A colour as a pixel of the surface's format.
std::uint32_t PixelOf(const Surface& s, std::uint8_t r, std::uint8_t g, std::uint8_t b) {
  switch (s.BytesPerPixel()) {
    case 1: {
      const Palette* palette = s.GetPalette();
      return palette ? NearestPaletteIndex(palette->Entries(), r, g, b)
                     : NearestPaletteIndex(SystemPaletteEntries(), r, g, b);
    }
    case 2: return PackRgb565(r, g, b);
    default: return PackRgb888(r, g, b);
  }
}
}  // namespace

HResult DeviceContext::FillRect(const Rect& rect, std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
  if (!surface_) return DDERR_NODC;
  Surface& s = *surface_;
  const Rect area = ClipTo(rect, s.Width(), s.Height());
  const int bpp = s.BytesPerPixel();
  const std::uint32_t value = PixelOf(s, red, green, blue);
  for (int y = area.top; y < area.bottom; ++y) {
    std::uint8_t* p = s.Row(y) + static_cast<std::size_t>(area.left) * bpp;
    for (int x = area.left; x < area.right; ++x, p += bpp) StorePixel(p, bpp, value);
  }
  return DD_OK;
}

HResult DeviceContext::DrawIndexedBitmap(const IndexedBitmapView& bitmap, const Rect& area) {
  if (!surface_) return DDERR_NODC;
  if (bitmap.width <= 0 || bitmap.height <= 0 || !bitmap.indices || bitmap.stride < bitmap.width ||
      bitmap.colourCount < 0 || bitmap.colourCount > 256 || (bitmap.colourCount > 0 && !bitmap.colours))
    return DDERR_INVALIDPARAMS;
  Surface& s = *surface_;
  Rect r = ClipTo(area, std::min(s.Width(), bitmap.width), std::min(s.Height(), bitmap.height));
  const int bpp = s.BytesPerPixel();
  // Pixels of the surface's format for each index; indices past the table
  // are black, as the window system draws them.
  std::array<std::uint32_t, 256> pixelOf{};
  for (int i = 0; i < bitmap.colourCount; ++i) {
    const PaletteEntry& c = bitmap.colours[i];
    pixelOf[i] = bpp == 2 ? PackRgb565(c.red, c.green, c.blue) : PackRgb888(c.red, c.green, c.blue);
  }
  for (int y = r.top; y < r.bottom; ++y) {
    const std::uint8_t* in = bitmap.indices + static_cast<std::size_t>(y) * bitmap.stride;
    std::uint8_t* out = s.Row(y);
    for (int x = r.left; x < r.right; ++x) {
      if (bpp == 1)
        out[x] = in[x];
      else
        StorePixel(out + static_cast<std::size_t>(x) * bpp, bpp, pixelOf[in[x]]);
    }
  }
  return DD_OK;
}

HResult DeviceContext::DrawBitmap(const os::BmpImage& image, const Rect& area) {
  if (image.bitsPerPixel != 8) return DDERR_UNSUPPORTEDFORMAT;
  if (image.palette.size() > 256 || image.pixels.size() < static_cast<std::size_t>(std::max(image.width, 0)) *
                                                              static_cast<std::size_t>(std::max(image.height, 0)))
    return DDERR_INVALIDPARAMS;
  std::array<PaletteEntry, 256> colours{};
  for (std::size_t i = 0; i < image.palette.size(); ++i)
    colours[i] = {image.palette[i].red, image.palette[i].green, image.palette[i].blue, 0};
  IndexedBitmapView view{image.width, image.height,   image.pixels.data(),
                         image.width, colours.data(), static_cast<int>(image.palette.size())};
  return DrawIndexedBitmap(view, area);
}

}  // namespace platform::surface

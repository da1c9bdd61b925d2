#include "platform/surface/present.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "platform/surface/pixel_format.h"
#include "platform/surface/system_palette.h"

namespace platform::surface {

bool ConvertToPicture(const Surface& surface, const Rect& region, const std::array<PaletteEntry, 256>* palette,
                      os::Picture* picture) {
  Rect r{std::max(region.left, 0), std::max(region.top, 0), std::min(region.right, surface.Width()),
         std::min(region.bottom, surface.Height())};
  const int bpp = surface.BytesPerPixel();
  if (surface.IsZBuffer() || bpp < 1 || bpp > 3 || r.Width() <= 0 || r.Height() <= 0) {
    picture->width = picture->height = 0;
    picture->pixels.clear();
    return false;
  }
  const int w = r.Width(), h = r.Height();
  picture->width = w;
  picture->height = h;
  picture->pixels.resize(static_cast<std::size_t>(w) * h);
  std::uint32_t* out = picture->pixels.data();

  if (bpp == 1) {
    std::array<std::uint32_t, 256> colours;
    static const std::array<PaletteEntry, 256> systemEntries = SystemPaletteEntries();
    const auto& entries = palette ? *palette : systemEntries;
    for (int i = 0; i < 256; ++i) colours[i] = PackRgb888(entries[i].red, entries[i].green, entries[i].blue);
    for (int y = 0; y < h; ++y) {
      const std::uint8_t* in = surface.Row(r.top + y) + r.left;
      for (int x = 0; x < w; ++x) *out++ = colours[in[x]];
    }
  } else if (bpp == 2) {
    for (int y = 0; y < h; ++y) {
      const std::uint8_t* in = surface.Row(r.top + y) + 2 * r.left;
      for (int x = 0; x < w; ++x) {
        std::uint16_t p;
        std::memcpy(&p, in + 2 * x, 2);  // pixels are little endian, as is the host
        out[x] = ExpandRgb565(p);
      }
      out += w;
    }
  } else {
    // Four bytes read at once, the fourth masked off: a third of the loads
    // of byte by byte, on the live loop's path for every 24-bit picture. The
    // row's last pixel is read alone, so nothing past the row is touched.
    for (int y = 0; y < h; ++y) {
      const std::uint8_t* in = surface.Row(r.top + y) + 3 * r.left;
      for (int x = 0; x + 1 < w; ++x) {
        std::uint32_t p;
        std::memcpy(&p, in + 3 * x, 4);  // little endian, as is the host
        out[x] = p & 0x00FFFFFFu;
      }
      out[w - 1] = LoadRgb888(in + 3 * (w - 1));
      out += w;
    }
  }
  return true;
}

}  // namespace platform::surface

#pragma once
// What the program draws on a surface with the window system's painting
// calls, done directly on the pixels: a solid rectangle, and an 8-bit bitmap
// copied in. Taken with Surface::GetDC and handed back with ReleaseDC.
#include <cstdint>

#include "platform/os/bmp_reader.h"
#include "platform/surface/surface.h"

namespace platform::surface {

// An 8-bit bitmap: rows from the top, one colour-table index per pixel.
struct IndexedBitmapView {
  int width = 0, height = 0;
  const std::uint8_t* indices = nullptr;
  int stride = 0;  // bytes from one row to the next, at least width
  const PaletteEntry* colours = nullptr;
  int colourCount = 0;  // 0..256; indices beyond the table are black
};

class DeviceContext {
 public:
  // Fills the part of `rect` inside the surface with a colour given as red,
  // green, blue; on an 8-bit surface with the nearest entry of its palette
  // (the system palette when it has none).
  HResult FillRect(const Rect& rect, std::uint8_t red, std::uint8_t green, std::uint8_t blue);

  // Copies the bitmap's pixel (x, y) to the surface's (x, y) for every pixel
  // inside `area`, the bitmap and the surface. 8-bit surfaces take the
  // indices unchanged; 16- and 24-bit surfaces the colours of the bitmap's
  // colour table.
  HResult DrawIndexedBitmap(const IndexedBitmapView& bitmap, const Rect& area);
  // The same for a bitmap as the BMP reader gives it; only 8-bit images
  // (DDERR_UNSUPPORTEDFORMAT otherwise).
  HResult DrawBitmap(const os::BmpImage& image, const Rect& area);

 private:
  friend class Surface;
  Surface* surface_ = nullptr;
};

}  // namespace platform::surface

#include "platform/os/window_icon.h"

#include "platform/os/bmp_reader.h"
#include "platform/os/resources.h"

namespace platform::os {

Picture WindowIconPicture() {
  Picture picture;
  BmpReadResult r = ReadBmp(FindResource(resource_id::kWindowIcon));
  if (!r.ok()) return picture;
  const BmpImage& im = r.image;
  picture.width = im.width;
  picture.height = im.height;
  picture.pixels.resize(static_cast<std::size_t>(im.width) * im.height);
  for (std::size_t i = 0; i < picture.pixels.size(); ++i) {
    BmpColour c{};
    if (im.bitsPerPixel == 8 && im.pixels[i] < im.palette.size()) c = im.palette[im.pixels[i]];
    if (im.bitsPerPixel == 24) c = {im.pixels[3 * i], im.pixels[3 * i + 1], im.pixels[3 * i + 2]};
    picture.pixels[i] = (std::uint32_t(c.red) << 16) | (std::uint32_t(c.green) << 8) | c.blue;
  }
  return picture;
}

}  // namespace platform::os

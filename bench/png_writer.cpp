#include "png_writer.h"

#include <png.h>

#include <cstdio>
#include <vector>

#include "platform/surface/pixel_format.h"

namespace bench {

bool WritePng(const platform::surface::Surface& s, const std::string& path) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (!info || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    std::fclose(f);
    return false;
  }
  png_init_io(png, f);
  png_set_IHDR(png, info, s.Width(), s.Height(), 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  std::vector<png_byte> row(static_cast<std::size_t>(s.Width()) * 3);
  const auto* palette = s.GetPalette();
  for (int y = 0; y < s.Height(); ++y) {
    const std::uint8_t* src = s.Row(y);
    for (int x = 0; x < s.Width(); ++x) {
      unsigned r = 0, g = 0, b = 0;
      if (s.BitsPerPixel() == 16) {
        std::uint32_t rgb = platform::surface::ExpandRgb565(
            static_cast<std::uint16_t>(src[2 * x] | (src[2 * x + 1] << 8)));
        r = rgb >> 16;
        g = (rgb >> 8) & 0xFF;
        b = rgb & 0xFF;
      } else if (s.BitsPerPixel() == 24) {
        b = src[3 * x];
        g = src[3 * x + 1];
        r = src[3 * x + 2];
      } else if (palette) {
        const auto& e = palette->Entries()[src[x]];
        r = e.red;
        g = e.green;
        b = e.blue;
      }
      row[3 * x] = static_cast<png_byte>(r);
      row[3 * x + 1] = static_cast<png_byte>(g);
      row[3 * x + 2] = static_cast<png_byte>(b);
    }
    png_write_row(png, row.data());
  }
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  std::fclose(f);
  return true;
}

}  // namespace bench

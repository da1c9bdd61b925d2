#include "platform/os/png_writer.h"

#include <png.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

namespace platform::os {

bool WritePng(const std::string& path, const Picture& picture, std::string* error,
              std::optional<std::uint32_t> transparent) {
  auto fail = [&](const std::string& why) {
    if (error) *error = why;
    return false;
  };
  if (picture.width <= 0 || picture.height <= 0 ||
      picture.pixels.size() < static_cast<std::size_t>(picture.width) * picture.height)
    return fail("no picture to write");
  FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return fail(path + ": " + std::strerror(errno));
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  std::vector<png_byte> row(static_cast<std::size_t>(picture.width) * 3);
  if (!png || !info || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    std::fclose(file);
    return fail(path + ": cannot encode PNG");
  }
  png_init_io(png, file);
  png_set_IHDR(png, info, picture.width, picture.height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_color_16 key{};
  if (transparent) {
    key.red = static_cast<png_uint_16>((*transparent >> 16) & 0xFF);
    key.green = static_cast<png_uint_16>((*transparent >> 8) & 0xFF);
    key.blue = static_cast<png_uint_16>(*transparent & 0xFF);
    png_set_tRNS(png, info, nullptr, 0, &key);
  }
  png_write_info(png, info);
  for (int y = 0; y < picture.height; ++y) {
    const std::uint32_t* src = picture.pixels.data() + static_cast<std::size_t>(y) * picture.width;
    for (int x = 0; x < picture.width; ++x) {
      row[3 * x] = static_cast<png_byte>(src[x] >> 16);
      row[3 * x + 1] = static_cast<png_byte>(src[x] >> 8);
      row[3 * x + 2] = static_cast<png_byte>(src[x]);
    }
    png_write_row(png, row.data());
  }
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  bool ok = std::fclose(file) == 0;
  return ok ? true : fail(path + ": " + std::strerror(errno));
}

}  // namespace platform::os

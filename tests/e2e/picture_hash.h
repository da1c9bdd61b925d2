#pragma once
// A picture's fingerprint for the golden list: its size, its pixel format and
// a hash of its decoded rows. Hashing the pixels rather than the PNG file
// keeps the goldens still when libpng or zlib pack the same picture into
// other bytes.
#include <png.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace {

inline std::uint64_t Fnv64(const unsigned char* bytes, std::size_t size, std::uint64_t h = 1469598103934665603ull) {
  for (std::size_t i = 0; i < size; ++i) h = (h ^ bytes[i]) * 1099511628211ull;
  return h;
}

// "800x600 format 2 0123456789abcdef" (the format is libpng's PNG_FORMAT_*
// number), or a line that says why the file could not be read.
inline std::string PictureHash(const std::filesystem::path& file) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, file.c_str())) return "unreadable " + file.string();
  image.format &= ~static_cast<png_uint_32>(PNG_FORMAT_FLAG_COLORMAP);  // palette pictures as their colours
  std::vector<unsigned char> pixels(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr)) {
    png_image_free(&image);
    return "undecodable " + file.string();
  }
  const std::string shape =
      std::to_string(image.width) + "x" + std::to_string(image.height) + " format " + std::to_string(image.format);
  const std::uint64_t h =
      Fnv64(pixels.data(), pixels.size(), Fnv64(reinterpret_cast<const unsigned char*>(shape.data()), shape.size()));
  char text[17];
  std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(h));
  return shape + " " + text;
}

}  // namespace

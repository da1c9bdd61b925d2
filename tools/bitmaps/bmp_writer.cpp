#include "bmp_writer.h"

#include <cstdio>
#include <fstream>

namespace bitmaps {
namespace {

void Put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
  out.push_back(v & 0xFF);
  out.push_back((v >> 8) & 0xFF);
}
void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

}  // namespace

std::vector<std::uint8_t> EncodeBmp8(const Canvas& canvas, const Palette& palette) {
  const std::uint32_t w = canvas.Width(), h = canvas.Height();
  const std::uint32_t stride = (w + 3) / 4 * 4;
  const std::uint32_t dataOffset = 14 + 40 + 256 * 4;
  const std::uint32_t imageSize = stride * h;
  std::vector<std::uint8_t> out;
  out.reserve(dataOffset + imageSize);
  out.push_back('B');
  out.push_back('M');
  Put32(out, dataOffset + imageSize);
  Put32(out, 0);
  Put32(out, dataOffset);
  Put32(out, 40);
  Put32(out, w);
  Put32(out, h);
  Put16(out, 1);  // planes
  Put16(out, 8);  // bits per pixel
  Put32(out, 0);  // BI_RGB
  Put32(out, imageSize);
  Put32(out, 2835);  // 72 dpi
  Put32(out, 2835);
  Put32(out, 256);  // colours used
  Put32(out, 0);    // colours important: all
  for (const auto& e : palette) {
    out.push_back(e.blue);
    out.push_back(e.green);
    out.push_back(e.red);
    out.push_back(0);
  }
  for (std::uint32_t row = 0; row < h; ++row) {
    const std::uint32_t y = h - 1 - row;
    for (std::uint32_t x = 0; x < w; ++x) out.push_back(canvas.At(x, y));
    for (std::uint32_t x = w; x < stride; ++x) out.push_back(0);
  }
  return out;
}

bool WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream f(path, std::ios::binary | std::ios::trunc);
  f.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  if (!f) {
    std::fprintf(stderr, "zarn_make_bitmaps: cannot write %s\n", path.c_str());
    return false;
  }
  return true;
}

}  // namespace bitmaps

#include "platform/os/bmp_reader.h"

#include <cstddef>

#include "core/bytes.h"

namespace platform::os {
namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint32_t kCoreHeaderSize = 12;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kLargestInfoHeaderSize = 124;  // BITMAPV5HEADER

std::uint32_t U16(std::span<const std::uint8_t> b, std::size_t at) { return core::Le16(b.data() + at); }
std::uint32_t U32(std::span<const std::uint8_t> b, std::size_t at) { return core::Le32(b.data() + at); }
std::int32_t I32(std::span<const std::uint8_t> b, std::size_t at) { return static_cast<std::int32_t>(U32(b, at)); }

BmpReadResult Fail(std::string message) {
  BmpReadResult r;
  r.error = "BMP: " + std::move(message);
  return r;
}

std::string CompressionName(std::uint32_t c) {
  switch (c) {
    case 1: return "RLE8";
    case 2: return "RLE4";
    case 3: return "BITFIELDS";
    case 4: return "JPEG";
    case 5: return "PNG";
    default: return "type " + std::to_string(c);
  }
}

// Reads `entries` colours from `tableEnd` on, which it moves past them;
// false when the file ends inside the table.
bool ReadPalette(std::span<const std::uint8_t> file, std::uint32_t entries, std::uint64_t& tableEnd,
                 std::vector<BmpColour>& palette) {
  const std::uint64_t tableStart = tableEnd;
  tableEnd += std::uint64_t(entries) * 4;
  if (tableEnd > file.size()) return false;
  palette.resize(entries);
  for (std::uint32_t i = 0; i < entries; ++i) {
    const std::size_t at = tableStart + std::size_t(i) * 4;
    palette[i] = {file[at + 2], file[at + 1], file[at]};  // stored blue, green, red
  }
  return true;
}

// Copies the rows, which start at `pixels`, top row first and colours in
// red, green, blue order; the reason when a palette index is out of range.
std::string CopyRows(std::span<const std::uint8_t> pixels, std::uint64_t stride, bool topDown, BmpImage& image) {
  const std::int64_t height = image.height;
  const std::uint64_t rowBytes = std::uint64_t(image.width) * std::uint64_t(image.bitsPerPixel / 8);
  image.pixels.resize(rowBytes * std::uint64_t(height));
  for (std::int64_t y = 0; y < height; ++y) {
    const std::int64_t sourceRow = topDown ? y : height - 1 - y;
    const std::uint8_t* src = pixels.data() + std::uint64_t(sourceRow) * stride;
    std::uint8_t* dst = image.pixels.data() + std::uint64_t(y) * rowBytes;
    if (image.bitsPerPixel == 8) {
      for (std::uint64_t x = 0; x < rowBytes; ++x) {
        if (src[x] >= image.palette.size())
          return "pixel index " + std::to_string(src[x]) + " lies outside the colour table of " +
                 std::to_string(image.palette.size()) + " entries";
        dst[x] = src[x];
      }
    } else {
      for (std::uint64_t x = 0; x < rowBytes; x += 3) {  // stored blue, green, red
        dst[x] = src[x + 2];
        dst[x + 1] = src[x + 1];
        dst[x + 2] = src[x];
      }
    }
  }
  return {};
}

}  // namespace

BmpReadResult ReadBmp(std::span<const std::uint8_t> file) {
  if (file.size() < kFileHeaderSize + 4) return Fail("file too short for its headers");
  if (file[0] != 'B' || file[1] != 'M') return Fail("not a bitmap file (no 'BM' signature)");
  const std::uint64_t dataOffset = U32(file, 10);

  const std::uint32_t headerSize = U32(file, kFileHeaderSize);
  if (headerSize == kCoreHeaderSize) return Fail("OS/2 core headers are not supported");
  if (headerSize < kInfoHeaderSize || headerSize > kLargestInfoHeaderSize)
    return Fail("unknown info header size " + std::to_string(headerSize));
  if (kFileHeaderSize + headerSize > file.size()) return Fail("file truncated inside its info header");

  const std::int32_t width = I32(file, 18);
  const std::int32_t rawHeight = I32(file, 22);
  const std::uint32_t planes = U16(file, 26);
  const std::uint32_t bits = U16(file, 28);
  const std::uint32_t compression = U32(file, 30);
  const std::uint32_t coloursUsed = U32(file, 46);

  if (planes != 1) return Fail("plane count " + std::to_string(planes) + " is not 1");
  if (bits != 8 && bits != 24) return Fail("unsupported depth of " + std::to_string(bits) + " bits per pixel");
  if (compression != 0) return Fail("compressed bitmaps (" + CompressionName(compression) + ") are not supported");

  // The height's sign gives the row order; widen before negating, since
  // -INT32_MIN does not fit.
  const bool topDown = rawHeight < 0;
  const std::int64_t height = topDown ? -std::int64_t(rawHeight) : rawHeight;
  if (width <= 0 || height <= 0)
    return Fail("bad dimensions " + std::to_string(width) + " x " + std::to_string(rawHeight));
  if (width > kMaxBmpDimension || height > kMaxBmpDimension)
    return Fail("dimensions " + std::to_string(width) + " x " + std::to_string(height) + " exceed the limit of " +
                std::to_string(kMaxBmpDimension));

  BmpReadResult result;
  BmpImage& image = result.image;
  image.width = width;
  image.height = static_cast<int>(height);
  image.bitsPerPixel = static_cast<int>(bits);

  std::uint64_t tableEnd = kFileHeaderSize + headerSize;
  if (bits == 8) {
    if (coloursUsed > 256) return Fail("colour table of " + std::to_string(coloursUsed) + " entries (at most 256)");
    if (!ReadPalette(file, coloursUsed == 0 ? 256 : coloursUsed, tableEnd, image.palette))
      return Fail("file truncated inside its colour table");
  }
  // A 24-bit file may carry an optional colour table; it is not needed.

  if (dataOffset < tableEnd) return Fail("pixel data offset points into the headers");
  if (dataOffset > file.size()) return Fail("pixel data offset lies beyond the end of the file");

  const std::uint64_t bytesPerPixel = bits / 8;
  const std::uint64_t rowBytes = std::uint64_t(width) * bytesPerPixel;
  const std::uint64_t stride = (rowBytes + 3) / 4 * 4;
  // Some writers leave the padding off the last row; nothing is lost by that.
  const std::uint64_t needed = stride * (std::uint64_t(height) - 1) + rowBytes;
  if (needed > file.size() - dataOffset)
    return Fail("pixel data truncated: " + std::to_string(needed) + " bytes needed, " +
                std::to_string(file.size() - dataOffset) + " present");

  // Bounded by the check above: the pixels take no more room than the file.
  if (std::string error = CopyRows(file.subspan(dataOffset), stride, topDown, image); !error.empty())
    return Fail(std::move(error));
  return result;
}

}  // namespace platform::os

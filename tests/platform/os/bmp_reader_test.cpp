#include "platform/os/bmp_reader.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <tuple>
#include <vector>

namespace platform::os {
namespace {

using Bytes = std::vector<std::uint8_t>;

void Put(Bytes& b, std::size_t at, std::uint32_t v, int size) {
  for (int i = 0; i < size; ++i) b[at + i] = (v >> (8 * i)) & 0xFF;
}

// A well-formed file: `rows` given top row first, stored bottom-up unless
// the height is negative. 8-bit files get `colours` table entries where
// entry i is (i, 2i, 3i) in red, green, blue.
Bytes MakeBmp(int width, int height, int bits, const std::vector<Bytes>& rows, std::uint32_t colours = 256) {
  const int h = height < 0 ? -height : height;
  const std::uint32_t tableEntries = bits == 8 ? (colours ? colours : 256) : 0;
  const std::size_t stride = (std::size_t(width) * bits / 8 + 3) / 4 * 4;
  const std::size_t offset = 14 + 40 + tableEntries * 4;
  Bytes b(offset + stride * h, 0);
  b[0] = 'B';
  b[1] = 'M';
  Put(b, 2, std::uint32_t(b.size()), 4);
  Put(b, 10, std::uint32_t(offset), 4);
  Put(b, 14, 40, 4);
  Put(b, 18, std::uint32_t(width), 4);
  Put(b, 22, std::uint32_t(height), 4);
  Put(b, 26, 1, 2);
  Put(b, 28, bits, 2);
  Put(b, 46, bits == 8 ? colours : 0, 4);
  for (std::uint32_t i = 0; i < tableEntries; ++i) {
    b[54 + 4 * i] = std::uint8_t(3 * i);  // blue first
    b[55 + 4 * i] = std::uint8_t(2 * i);
    b[56 + 4 * i] = std::uint8_t(i);
  }
  for (int y = 0; y < h; ++y) {
    const int stored = height < 0 ? y : h - 1 - y;
    std::copy(rows[y].begin(), rows[y].end(), b.begin() + offset + stored * stride);
  }
  return b;
}

const std::vector<Bytes> kRows8 = {{1, 2, 3}, {4, 5, 6}};

TEST(BmpReader, ReadsEightBitRowsTopFirstInEitherStoredOrder) {
  for (int height : {2, -2}) {
    const BmpReadResult r = ReadBmp(MakeBmp(3, height, 8, kRows8));
    ASSERT_TRUE(r.ok()) << r.error;
    const BmpImage& im = r.image;
    EXPECT_EQ(std::tuple(im.width, im.height, im.bitsPerPixel), std::tuple(3, 2, 8));
    EXPECT_EQ(im.pixels, (Bytes{1, 2, 3, 4, 5, 6})) << "height " << height;
    ASSERT_EQ(im.palette.size(), 256u);
    EXPECT_EQ(std::tuple(im.palette[5].red, im.palette[5].green, im.palette[5].blue), std::tuple(5, 10, 15));
  }
}

TEST(BmpReader, ReadsTwentyFourBitPixelsAsRedGreenBlue) {
  // Stored blue, green, red; a width of 1 leaves one byte of row padding.
  const BmpReadResult r = ReadBmp(MakeBmp(1, 2, 24, {{10, 20, 30}, {40, 50, 60}}));
  ASSERT_TRUE(r.ok()) << r.error;
  EXPECT_TRUE(r.image.palette.empty());
  EXPECT_EQ(r.image.pixels, (Bytes{30, 20, 10, 60, 50, 40}));
}

TEST(BmpReader, ShortColourTableBoundsThePixelIndices) {
  BmpReadResult r = ReadBmp(MakeBmp(3, 1, 8, {{0, 1, 1}}, 2));
  ASSERT_TRUE(r.ok()) << r.error;
  EXPECT_EQ(r.image.palette.size(), 2u);

  r = ReadBmp(MakeBmp(3, 1, 8, {{0, 1, 2}}, 2));
  EXPECT_FALSE(r.ok());
  EXPECT_NE(r.error.find("outside the colour table"), std::string::npos) << r.error;
}

TEST(BmpReader, AcceptsALastRowWithoutItsPadding) {
  Bytes file = MakeBmp(3, 2, 8, kRows8);
  file.pop_back();  // the first stored row is the bottom one; the top row ends the file
  const BmpReadResult r = ReadBmp(file);
  ASSERT_TRUE(r.ok()) << r.error;
  EXPECT_EQ(r.image.pixels, (Bytes{1, 2, 3, 4, 5, 6}));
}

struct Damage {
  const char* what;
  std::size_t at;
  std::uint32_t value;
  int size;
  const char* expected;  // part of the error text
};

TEST(BmpReader, RejectsEachKindOfLyingHeader) {
  const Damage cases[] = {
      {"signature", 0, 'X', 1, "signature"},
      {"core header", 14, 12, 4, "core"},
      {"tiny header", 14, 8, 4, "header size"},
      {"huge header", 14, 0x7FFFFFFF, 4, "header size"},
      {"header past the end", 14, 124, 4, "truncated"},
      {"planes", 26, 2, 2, "plane"},
      {"4 bits", 28, 4, 2, "4 bits"},
      {"32 bits", 28, 32, 2, "32 bits"},
      {"RLE8", 30, 1, 4, "RLE8"},
      {"bit fields", 30, 3, 4, "BITFIELDS"},
      {"zero width", 18, 0, 4, "dimensions"},
      {"negative width", 18, 0xFFFFFFFF, 4, "dimensions"},
      {"zero height", 22, 0, 4, "dimensions"},
      {"most negative height", 22, 0x80000000, 4, "exceed"},
      {"width above the cap", 18, 16385, 4, "exceed"},
      {"colour count", 46, 257, 4, "colour table"},
      {"offset into the headers", 10, 20, 4, "into the headers"},
      {"offset past the end", 10, 0xFFFFFFF0, 4, "beyond the end"},
      {"pixels beyond the data", 22, 3, 4, "truncated"},
      {"largest allowed size", 18, 16384, 4, "truncated"},
  };
  for (const Damage& d : cases) {
    Bytes file = MakeBmp(3, 2, 8, kRows8);
    Put(file, d.at, d.value, d.size);
    const BmpReadResult r = ReadBmp(file);
    EXPECT_FALSE(r.ok()) << d.what;
    EXPECT_NE(r.error.find(d.expected), std::string::npos) << d.what << ": " << r.error;
    EXPECT_TRUE(r.image.pixels.empty()) << d.what;
  }
}

TEST(BmpReader, RejectsTruncatedColourTableAndHugeDimensionsWithoutAllocatingForThem) {
  Bytes file = MakeBmp(3, 2, 8, kRows8);
  file.resize(14 + 40 + 100);
  BmpReadResult r = ReadBmp(file);
  EXPECT_NE(r.error.find("colour table"), std::string::npos) << r.error;
  // 16384 x 16384 at 24 bits would be 768 MiB; the file holds a few bytes.
  file = MakeBmp(1, 1, 24, {{1, 2, 3}});
  Put(file, 18, 16384, 4);
  Put(file, 22, std::uint32_t(-16384), 4);
  r = ReadBmp(file);
  EXPECT_NE(r.error.find("truncated"), std::string::npos) << r.error;
}

TEST(BmpReader, EveryPrefixShortOfTheLastPixelIsRejectedCleanly) {
  const Bytes file = MakeBmp(5, 3, 8, {{1, 2, 3, 4, 5}, {6, 7, 8, 9, 10}, {11, 12, 13, 14, 15}});
  const std::size_t lastRowPadding = 3;
  for (std::size_t n = 0; n < file.size() - lastRowPadding; ++n) {
    const BmpReadResult r = ReadBmp(std::span(file.data(), n));
    EXPECT_FALSE(r.ok()) << n << " bytes";
  }
}

}  // namespace
}  // namespace platform::os

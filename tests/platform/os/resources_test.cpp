#include "platform/os/resources.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "platform/os/bmp_reader.h"
#include "platform/surface/system_palette.h"

namespace platform::os {
namespace {

namespace sc = platform::surface::system_colour;

constexpr char kCharset[] =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz1234567890=[]'?!: ";
constexpr int kCharCount = 70;

BmpImage Load(int id) {
  const BmpReadResult r = ReadBmp(FindResource(id));
  EXPECT_TRUE(r.ok()) << "resource " << id << ": " << r.error;
  return r.image;
}

int Pixel(const BmpImage& im, int x, int y) { return im.pixels[y * im.width + x]; }

std::set<int> ColoursIn(const BmpImage& im, int left, int top, int width, int height) {
  std::set<int> colours;
  for (int y = top; y < top + height; ++y)
    for (int x = left; x < left + width; ++x) colours.insert(Pixel(im, x, y));
  return colours;
}

// Ink of font cell k in colour row r (1..7), as a string of 0s and 1s.
std::string CellInk(const BmpImage& font, int k, int row) {
  std::string ink;
  for (int y = 0; y < 15; ++y)
    for (int x = 0; x < 11; ++x) ink += Pixel(font, 11 * k + x, 15 * (row - 1) + y) ? '1' : '0';
  return ink;
}

TEST(Resources, UnknownIdsGiveNothing) {
  for (int id : {0, -1, 100, 111, 118, 1000}) EXPECT_TRUE(FindResource(id).empty()) << id;
}

TEST(Resources, OverlayBitmapsHaveTheirSizesAndTheArtworkPalette) {
  struct Expected {
    int id, width, height;
  };
  for (const Expected e : {Expected{110, 300, 150}, {112, 280, 125}, {116, 772, 105},
                           {117, 68, 50}, {101, 32, 32}}) {
    const BmpImage im = Load(e.id);
    EXPECT_EQ(std::tuple(im.width, im.height, im.bitsPerPixel), std::tuple(e.width, e.height, 8)) << e.id;
    ASSERT_EQ(im.palette.size(), 256u) << e.id;
    // Colour keys and blits in 8-bit modes rely on the system palette's
    // static colours staying where they are.
    const auto system = platform::surface::SystemPaletteEntries();
    for (int i : {0, 1, 2, 7, 246, 248, 249, 250, 251, 252, 254, 255})
      EXPECT_EQ(std::tuple(im.palette[i].red, im.palette[i].green, im.palette[i].blue),
                std::tuple(system[i].red, system[i].green, system[i].blue))
          << e.id << " entry " << i;
  }
}

TEST(Resources, FontRowsHoldEachGlyphInTheirOwnColourOnBlack) {
  const BmpImage font = Load(116);
  ASSERT_EQ(font.width, 772);
  const int rowColour[] = {sc::kBlue, sc::kCyan, sc::kYellow, sc::kWhite,
                           sc::kRed,  sc::kGreen, sc::kDarkGreen};
  const int a = 0, blank = kCharCount - 1;
  EXPECT_EQ(ColoursIn(font, 11 * a, 45, 11, 15), (std::set<int>{sc::kBlack, sc::kWhite}));
  EXPECT_EQ(ColoursIn(font, 11 * blank, 0, 11, 105), (std::set<int>{sc::kBlack}));
  EXPECT_EQ(ColoursIn(font, 770, 0, 2, 105), (std::set<int>{sc::kBlack}));
  for (int row = 1; row <= 7; ++row) {
    for (int k = 0; k < blank; ++k) {
      EXPECT_EQ(ColoursIn(font, 11 * k, 15 * (row - 1), 11, 15),
                (std::set<int>{sc::kBlack, rowColour[row - 1]}))
          << "'" << kCharset[k] << "' in row " << row;
      EXPECT_EQ(CellInk(font, k, row), CellInk(font, k, 1))
          << "'" << kCharset[k] << "' differs between rows 1 and " << row;
    }
  }
}

TEST(Resources, GlyphsAreDistinctAndKeepClearOfTheOverlappingColumns) {
  const BmpImage font = Load(116);
  std::set<std::string> seen;
  for (int k = 0; k < kCharCount; ++k) {
    EXPECT_TRUE(seen.insert(CellInk(font, k, 4)).second) << "'" << kCharset[k] << "' repeats";
    // The pen moves 10 pixels, so a cell's first and last columns are
    // shared with its neighbours: ink there would be cut by boxed text.
    for (int y = 0; y < 15; ++y) {
      EXPECT_EQ(Pixel(font, 11 * k, 45 + y), 0) << "'" << kCharset[k] << "'";
      EXPECT_EQ(Pixel(font, 11 * k + 10, 45 + y), 0) << "'" << kCharset[k] << "'";
    }
  }
}

TEST(Resources, KeyGuideIsAPictureOnTheWhiteKey) {
  const BmpImage guide = Load(110);
  for (auto [x, y] : {std::pair{0, 0}, {299, 0}, {0, 149}, {299, 149}})
    EXPECT_EQ(Pixel(guide, x, y), sc::kWhite) << x << "," << y;
  const std::set<int> colours = ColoursIn(guide, 0, 0, 300, 150);
  for (int needed : {sc::kRed, sc::kCyan, sc::kYellow, sc::kBlack})
    EXPECT_TRUE(colours.count(needed)) << "no pixel of colour " << needed;
}

TEST(Resources, PanelAndCheckerUseOnlyWhiteAndTheTwoPanelBlues) {
  for (int id : {112, 117}) {
    const BmpImage im = Load(id);
    const std::set<int> colours = ColoursIn(im, 0, 0, im.width, im.height);
    ASSERT_EQ(colours.size(), 3u) << id;
    EXPECT_TRUE(colours.count(sc::kWhite)) << id;
    for (int c : colours) {
      const BmpColour& rgb = im.palette[c];
      const bool known = (rgb.red == 255 && rgb.green == 255 && rgb.blue == 255) ||
                         (rgb.red == 50 && rgb.green == 50 && rgb.blue == 255) ||
                         (rgb.red == 0 && rgb.green == 14 && rgb.blue == 196);
      EXPECT_TRUE(known) << id << ": index " << c;
    }
  }
}

}  // namespace
}  // namespace platform::os

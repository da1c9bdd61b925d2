#pragma once
// An 8-bit drawing surface for the artwork generator. Shapes are first made
// into coverage masks and then painted, so an outline always hugs its fill
// exactly, whatever the shape.
#include <cstdint>
#include <vector>

namespace bitmaps {

struct Point {
  int x = 0, y = 0;
};

// Which pixels a shape covers. Coordinates of shapes are pixel corners: the
// square 0,0 4,0 4,4 0,4 covers the 16 pixels 0..3 x 0..3.
class Mask {
 public:
  Mask(int width, int height) : width_(width), height_(height), on_(width * height, 0) {}
  int Width() const { return width_; }
  int Height() const { return height_; }
  bool On(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_ && on_[y * width_ + x]; }
  void Set(int x, int y) {
    if (x >= 0 && y >= 0 && x < width_ && y < height_) on_[y * width_ + x] = 1;
  }

 private:
  int width_, height_;
  std::vector<std::uint8_t> on_;
};

Mask PolygonMask(int width, int height, const std::vector<Point>& corners);
// Pixels whose centre lies within `radius` of the centre of pixel (cx, cy).
Mask DiscMask(int width, int height, Point centre, int radius);
// A bar of the given thickness along the segment between two pixel centres.
Mask BarMask(int width, int height, Point from, Point to, int thickness);

constexpr int kNoColour = -1;

class Canvas {
 public:
  Canvas(int width, int height, std::uint8_t background)
      : width_(width), height_(height), pixels_(width * height, background) {}
  int Width() const { return width_; }
  int Height() const { return height_; }
  std::uint8_t At(int x, int y) const { return pixels_[y * width_ + x]; }
  void Set(int x, int y, std::uint8_t colour) {
    if (x >= 0 && y >= 0 && x < width_ && y < height_) pixels_[y * width_ + x] = colour;
  }
  // Fills the mask and draws a one-pixel outline along its inside edge;
  // either colour may be kNoColour.
  void Paint(const Mask& mask, int fill, int outline);
  // Rows from the top, one palette index per pixel.
  const std::vector<std::uint8_t>& Pixels() const { return pixels_; }

 private:
  int width_, height_;
  std::vector<std::uint8_t> pixels_;
};

}  // namespace bitmaps

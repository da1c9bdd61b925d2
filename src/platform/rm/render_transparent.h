#pragma once
// Faces drawn after the opaque ones: translucent faces and shadows, kept as
// screen triangles and drawn back to front, each blended over what is
// already there. They test depth but leave it as the opaque faces set it.
#include <cstdint>
#include <vector>

#include "platform/rm/raster/target.h"

namespace platform::rm {

class TransparentList {
 public:
  void Clear() {
    items_.clear();
    order_.clear();
  }
  // depth: camera-space distance used for sorting (larger is drawn first).
  void Add(const raster::ScreenVertex& a, const raster::ScreenVertex& b,
           const raster::ScreenVertex& c, const raster::TriangleStyle& style, float depth,
           std::uint16_t shadowMark = 0);
  bool Empty() const { return items_.empty(); }
  // Draws everything back to front and empties the list.
  void Flush(const raster::Target& target);

 private:
  struct Item {
    raster::ScreenVertex v[3];
    raster::TriangleStyle style;
    std::uint16_t shadowMark;
    float depth;
  };
  struct Walk {
    raster::RowWalk rows;
    std::uint16_t shadowMark;
  };
  // Half the processor's second-level cache on the machines we know: the
  // colour and depth of one band of rows.
  static constexpr int kBandBytes = 256 * 1024;
  std::vector<Item> items_;
  std::vector<std::uint32_t> order_;
  std::vector<Walk> walks_;
};

}  // namespace platform::rm

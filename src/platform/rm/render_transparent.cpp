#include "platform/rm/render_transparent.h"

#include <algorithm>

namespace platform::rm {

void TransparentList::Add(const raster::ScreenVertex& a, const raster::ScreenVertex& b,
                          const raster::ScreenVertex& c, const raster::TriangleStyle& style,
                          float depth, std::uint16_t shadowMark) {
  // A NaN key would break the sort; such a face draws first.
  items_.push_back({{a, b, c}, style, shadowMark, depth == depth ? depth : 1e30f});
}

void TransparentList::Flush(const raster::Target& target) {
  order_.resize(items_.size());
  for (std::uint32_t i = 0; i < order_.size(); ++i) order_[i] = i;
  // Stable: faces at equal depth keep the order the scene gave them.
  std::stable_sort(order_.begin(), order_.end(), [this](std::uint32_t a, std::uint32_t b) {
    return items_[a].depth > items_[b].depth;
  });
  raster::Target t = target;
  for (std::uint32_t i : order_) {
    const Item& it = items_[i];
    t.shadowMark = it.shadowMark;
    raster::DrawTriangle(t, it.v[0], it.v[1], it.v[2], it.style);
  }
  Clear();
}

}  // namespace platform::rm

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
  // Band by band: the translucent faces overlap (a table seen through
  // another covers most of the screen), and drawn whole one after another
  // each would fetch the colour and depth of its pixels from memory again.
  // A band's rows stay in the processor's cache while every face over them
  // is drawn. Each face is set up once and walks its rows as if drawn
  // whole, and a pixel still sees the faces in the same order, so the
  // picture is the same bit for bit.
  raster::Target t = target;
  walks_.clear();
  for (std::uint32_t i : order_) {
    const Item& it = items_[i];
    t.shadowMark = it.shadowMark;
    raster::RowWalk w;
    if (w.Start(t, it.v[0], it.v[1], it.v[2], it.style)) walks_.push_back({w, it.shadowMark});
  }
  const int rowBytes = t.colorPitch + t.depthPitch * static_cast<int>(sizeof(float));
  const int bandRows = std::max(8, kBandBytes / std::max(rowBytes, 1));
  std::size_t first = 0;  // walks before it are done
  for (int y = t.y0; y < t.y1 && first < walks_.size(); y += bandRows) {
    const int stop = std::min(y + bandRows, t.y1);
    for (std::size_t k = first; k < walks_.size(); ++k) {
      Walk& w = walks_[k];
      t.shadowMark = w.shadowMark;
      w.rows.Draw(t, stop);
    }
    while (first < walks_.size() && walks_[first].rows.Done()) ++first;
  }
  Clear();
}

}  // namespace platform::rm

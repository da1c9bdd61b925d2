#include "platform/rm/render_transparent.h"

#include <algorithm>
#include <iterator>
#include <limits>

namespace platform::rm {

int BandWalks::BandRows(const raster::Target& t, int bandBytes) {
  const int rowBytes = t.colorPitch + t.depthPitch * static_cast<int>(sizeof(float));
  return std::max(8, bandBytes / std::max(rowBytes, 1));
}

void BandWalks::Add(const raster::Target& target, const raster::ScreenVertex& a, const raster::ScreenVertex& b,
                    const raster::ScreenVertex& c, const raster::TriangleStyle& style) {
  Walk& w = walks_.emplace_back();
  w.shadowMark = target.shadowMark;
  if (w.rows.Start(target, a, b, c, style))
    firstRows_.push_back(w.rows.y);
  else
    walks_.pop_back();
}

void BandWalks::Begin(const raster::Target& target, int bandRows) {
  y0_ = target.y0;
  bandRows_ = std::max(bandRows, 1);
  const int bands = std::max(0, (target.y1 - target.y0 + bandRows_ - 1) / bandRows_);
  // A counting sort keeps the order within each band. The band numbers go
  // where the first rows were: the walks themselves are large, and reading
  // them all twice costs more than it saves.
  binStart_.assign(static_cast<std::size_t>(bands) + 1, 0);
  for (int& first : firstRows_) first = std::clamp((first - y0_) / bandRows_, 0, std::max(bands - 1, 0));
  if (bands > 0)
    for (int band : firstRows_) ++binStart_[band + 1];
  for (int k = 0; k < bands; ++k) binStart_[k + 1] += binStart_[k];
  binned_.resize(walks_.size());
  merged_.assign(binStart_.begin(), binStart_.end());  // next free place per band
  if (bands > 0)
    for (std::uint32_t i = 0; i < walks_.size(); ++i) binned_[merged_[firstRows_[i]]++] = i;
  active_.clear();
}

void BandWalks::DrawBand(const raster::Target& target, int band, int yStop) {
  if (static_cast<std::size_t>(band) + 1 >= binStart_.size()) return;
  // The walks still going and those starting here, merged in their order.
  const auto first = binned_.begin() + binStart_[band], last = binned_.begin() + binStart_[band + 1];
  merged_.clear();
  std::merge(active_.begin(), active_.end(), first, last, std::back_inserter(merged_));
  active_.clear();
  raster::Target t = target;
  for (std::uint32_t i : merged_) {
    Walk& w = walks_[i];
    t.shadowMark = w.shadowMark;
    w.rows.Draw(t, yStop);
    if (!w.rows.Done()) active_.push_back(i);
  }
}

void BandWalks::DrawAll(const raster::Target& target) {
  raster::Target t = target;
  for (Walk& w : walks_) {
    t.shadowMark = w.shadowMark;
    w.rows.Draw(t, std::numeric_limits<int>::max());
  }
}

void TransparentList::Add(const raster::ScreenVertex& a, const raster::ScreenVertex& b, const raster::ScreenVertex& c,
                          const raster::TriangleStyle& style, float depth, std::uint16_t shadowMark) {
  // A NaN key would break the sort; such a face draws first.
  items_.push_back({{a, b, c}, style, shadowMark, depth == depth ? depth : 1e30f});
}

BandWalks& TransparentList::StartWalks(const raster::Target& target) {
  order_.resize(items_.size());
  for (std::uint32_t i = 0; i < order_.size(); ++i) order_[i] = i;
  // Stable: faces at equal depth keep the order the scene gave them.
  std::stable_sort(order_.begin(), order_.end(),
                   [this](std::uint32_t a, std::uint32_t b) { return items_[a].depth > items_[b].depth; });
  raster::Target t = target;
  walks_.Clear();
  for (std::uint32_t i : order_) {
    const Item& it = items_[i];
    t.shadowMark = it.shadowMark;
    walks_.Add(t, it.v[0], it.v[1], it.v[2], it.style);
  }
  return walks_;
}

}  // namespace platform::rm

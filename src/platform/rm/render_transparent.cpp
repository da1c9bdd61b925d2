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
  if (!w.rows.Start(target, a, b, c, style)) {
    walks_.pop_back();
    return;
  }
  firstRows_.push_back(w.rows.y);
  const float left = std::min({a.x, b.x, c.x}), right = std::max({a.x, b.x, c.x});
  widths_.push_back(std::min(right, static_cast<float>(target.x1)) - std::max(left, static_cast<float>(target.x0)));
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
  nextInBin_.assign(binStart_.begin(), binStart_.end());
  if (bands > 0)
    for (std::uint32_t i = 0; i < walks_.size(); ++i) binned_[nextInBin_[firstRows_[i]]++] = i;
}

void BandWalks::AddBandWork(std::vector<float>& work) const {
  // A row of a walk costs about as much as sixteen pixels of its spans; the
  // triangle's width stands in for its spans'.
  const int bands = static_cast<int>(work.size());
  for (std::size_t i = 0; i < walks_.size(); ++i) {
    const raster::RowWalk& w = walks_[i].rows;
    const float perRow = 1.0f + std::max(widths_[i], 0.0f) * (1.0f / 16.0f);
    for (int band = firstRows_[i], y = w.y; band < bands && y < w.yEnd; ++band) {
      const int stop = std::min(w.yEnd, y0_ + (band + 1) * bandRows_);
      work[band] += perRow * static_cast<float>(stop - y);
      y = stop;
    }
  }
}

void BandWalks::Carry(Cursor& cursor, int band) const {
  cursor.active_.clear();
  cursor.carried_.clear();
  if (band <= 0) return;
  const int top = y0_ + band * bandRows_;
  for (std::uint32_t i = 0; i < walks_.size(); ++i)
    if (firstRows_[i] < band && walks_[i].rows.yEnd > top) cursor.carried_.push_back(walks_[i]);
  // Pointers only once the copies stay where they are.
  std::uint32_t k = 0;
  for (std::uint32_t i = 0; i < walks_.size(); ++i)
    if (firstRows_[i] < band && walks_[i].rows.yEnd > top) cursor.active_.push_back({i, &cursor.carried_[k++]});
}

void BandWalks::DrawBand(Cursor& cursor, const raster::Target& target, int band, int yStop) {
  if (static_cast<std::size_t>(band) + 1 >= binStart_.size()) return;
  // The walks still going and those starting here, merged in their order.
  auto& merged = cursor.merged_;
  merged.clear();
  auto active = cursor.active_.begin(), activeEnd = cursor.active_.end();
  for (std::uint32_t k = binStart_[band]; k < binStart_[band + 1]; ++k) {
    const std::uint32_t i = binned_[k];
    for (; active != activeEnd && active->order < i; ++active) merged.push_back(*active);
    merged.push_back({i, &walks_[i]});
  }
  merged.insert(merged.end(), active, activeEnd);
  cursor.active_.clear();
  // A walk carried from above is stepped to the band's first row without
  // drawing: a scissor of no columns takes no pixel.
  raster::Target skip = target;
  skip.x1 = skip.x0;
  const int top = y0_ + band * bandRows_;
  raster::Target t = target;
  for (const Cursor::Entry& e : merged) {
    Walk& w = *e.walk;
    if (w.rows.y < top) w.rows.Draw(skip, top);
    t.shadowMark = w.shadowMark;
    w.rows.Draw(t, yStop);
    if (!w.rows.Done()) cursor.active_.push_back(e);
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

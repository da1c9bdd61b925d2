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
  int first, end;
  if (!raster::RowWalk::Rows(target, a, b, c, style, first, end)) return;
  // Counted here, on the one thread that adds: the bands drawn later, maybe
  // on several, leave the count alone.
  target.WillWrite(first, end, style.kind == raster::SpanKind::kOpaque);
  triangles_.push_back({{a, b, c}, style, target.shadowMark});
  firstRows_.push_back(first);
  endRows_.push_back(end);
  const float left = std::min({a.x, b.x, c.x}), right = std::max({a.x, b.x, c.x});
  widths_.push_back(std::min(right, static_cast<float>(target.x1)) - std::max(left, static_cast<float>(target.x0)));
}

void BandWalks::Append(const BandWalks& part) {
  triangles_.insert(triangles_.end(), part.triangles_.begin(), part.triangles_.end());
  firstRows_.insert(firstRows_.end(), part.firstRows_.begin(), part.firstRows_.end());
  endRows_.insert(endRows_.end(), part.endRows_.begin(), part.endRows_.end());
  widths_.insert(widths_.end(), part.widths_.begin(), part.widths_.end());
}

void BandWalks::Begin(const raster::Target& target, int bandRows, bool runsOnly) {
  y0_ = target.y0;
  bandRows_ = std::max(bandRows, 1);
  const int bands = std::max(0, (target.y1 - target.y0 + bandRows_ - 1) / bandRows_);
  // A counting sort keeps the order within each band. The band numbers go
  // where the first rows were: the walks themselves are large, and reading
  // them all twice costs more than it saves.
  //
  // Rows become bands through a table: a division for each triangle took
  // longer than the rest of its filing (and its guess of work), on the
  // thread the others wait for.
  const int rows = std::max(0, target.y1 - target.y0);
  if (static_cast<int>(bandOfRow_.size()) != rows || tableBandRows_ != bandRows_) {
    tableBandRows_ = bandRows_;
    bandOfRow_.resize(static_cast<std::size_t>(rows));
    for (int row = 0; row < rows; ++row) bandOfRow_[static_cast<std::size_t>(row)] = row / bandRows_;
  }
  binStart_.assign(static_cast<std::size_t>(bands) + 1, 0);
  for (int& first : firstRows_) first = rows > 0 ? bandOfRow_[std::clamp(first - y0_, 0, rows - 1)] : 0;
  if (runsOnly) return;
  if (bands > 0)
    for (int band : firstRows_) ++binStart_[band + 1];
  for (int k = 0; k < bands; ++k) binStart_[k + 1] += binStart_[k];
  binned_.resize(triangles_.size());
  nextInBin_.assign(binStart_.begin(), binStart_.end());
  if (bands > 0)
    for (std::uint32_t i = 0; i < triangles_.size(); ++i) binned_[nextInBin_[firstRows_[i]]++] = i;
  if (walks_.size() < triangles_.size()) walks_.resize(triangles_.size());
}

void BandWalks::AddBandWork(std::vector<float>& work) {
  // A row of a walk costs about as much as four pixels of its spans, and a
  // triangle's set-up as eight rows (so the anchor scene's runs came out
  // about even at both sizes); the triangle's width stands in for its
  // spans'. A triangle's rows are counted from the top of its first band.
  // The bands it fills whole are counted once for all: its rate goes on
  // at its first band and off at its last, and a running sum adds up the
  // rates (the serial part of a frame on several threads; band by band,
  // each triangle cost a pass over every band it crossed).
  const int bands = static_cast<int>(work.size());
  wholeRate_.assign(work.size() + 1, 0.0);
  // (No further down than the rows of Begin's table.)
  const int bottom = y0_ + std::min(bands * bandRows_, static_cast<int>(bandOfRow_.size()));
  for (std::size_t i = 0; i < triangles_.size(); ++i) {
    const int first = firstRows_[i];
    if (first >= bands) continue;
    work[first] += 8.0f;
    const int top = y0_ + first * bandRows_, end = std::min(endRows_[i], bottom);
    if (end <= top) continue;
    const float perRow = 1.0f + std::max(widths_[i], 0.0f) * (1.0f / 4.0f);
    const int last = bandOfRow_[static_cast<std::size_t>(end - 1 - y0_)];
    wholeRate_[first] += perRow;
    wholeRate_[last] -= perRow;
    work[last] += perRow * static_cast<float>(end - (y0_ + last * bandRows_));
  }
  // In doubles: a float sum of thousands of rates on and off leaves
  // crumbs where none should be.
  double rate = 0;
  for (int band = 0; band < bands; ++band) {
    rate += wholeRate_[band];
    work[band] += static_cast<float>(rate * bandRows_);
  }
}

void BandWalks::Carry(Cursor& cursor, int band) const {
  cursor.active_.clear();
  cursor.carried_.clear();
  if (band <= 0) return;
  const int top = y0_ + band * bandRows_;
  std::uint32_t carried = 0;
  for (std::uint32_t i = 0; i < triangles_.size(); ++i) carried += firstRows_[i] < band && endRows_[i] > top;
  cursor.carried_.resize(carried);
  std::uint32_t k = 0;
  for (std::uint32_t i = 0; i < triangles_.size(); ++i)
    if (firstRows_[i] < band && endRows_[i] > top) cursor.active_.push_back({i, &cursor.carried_[k++], true});
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
    merged.push_back({i, &walks_[i], true});
  }
  merged.insert(merged.end(), active, activeEnd);
  cursor.active_.clear();
  // The rows were counted when the triangles were added.
  raster::Target t = target;
  t.depthRows = t.colorRows = nullptr;
  // A walk begun above the band is stepped to its first row without
  // drawing: a scissor of no columns takes no pixel.
  raster::Target skip = t;
  skip.x1 = skip.x0;
  const int top = y0_ + band * bandRows_;
  // An opaque triangle that begins and ends in the band is filled whole,
  // its set-up and walk in one (the same pixels as set up, then walked).
  const raster::OpaqueTriangles whole(t);
  for (const Cursor::Entry& e : merged) {
    raster::RowWalk& w = *e.walk;
    const Triangle& tri = triangles_[e.order];
    if (e.fresh && tri.style.kind == raster::SpanKind::kOpaque && endRows_[e.order] <= yStop &&
        firstRows_[e.order] == band) {
      whole.Draw(tri.v[0], tri.v[1], tri.v[2], tri.style.gouraud);
      continue;
    }
    t.shadowMark = tri.shadowMark;
    if (e.fresh && !w.Start(t, tri.v[0], tri.v[1], tri.v[2], tri.style)) continue;
    if (w.y < top) w.Draw(skip, top);
    w.Draw(t, yStop);
    if (!w.Done()) cursor.active_.push_back({e.order, e.walk, false});
  }
}

void BandWalks::DrawRun(const raster::Target& target, int first, int end, int yStop) const {
  raster::Target t = target;
  t.depthRows = t.colorRows = nullptr;  // counted when added
  raster::Target skip = t;
  skip.x1 = skip.x0;
  const int top = y0_ + first * bandRows_;
  const raster::OpaqueTriangles whole(t);
  raster::RowWalk w;
  for (std::size_t i = 0; i < triangles_.size(); ++i) {
    if (firstRows_[i] >= end || endRows_[i] <= top) continue;
    const Triangle& tri = triangles_[i];
    if (firstRows_[i] >= first && endRows_[i] <= yStop && tri.style.kind == raster::SpanKind::kOpaque) {
      whole.Draw(tri.v[0], tri.v[1], tri.v[2], tri.style.gouraud);
      continue;
    }
    t.shadowMark = tri.shadowMark;
    if (!w.Start(t, tri.v[0], tri.v[1], tri.v[2], tri.style)) continue;
    if (w.y < top) w.Draw(skip, top);
    w.Draw(t, yStop);
  }
}

void BandWalks::DrawAll(const raster::Target& target) {
  raster::Target t = target;
  t.depthRows = t.colorRows = nullptr;
  raster::RowWalk w;
  for (const Triangle& tri : triangles_) {
    t.shadowMark = tri.shadowMark;
    if (w.Start(t, tri.v[0], tri.v[1], tri.v[2], tri.style)) w.Draw(t, t.y1);
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

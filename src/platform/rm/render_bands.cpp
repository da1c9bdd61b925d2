#include "platform/rm/render_bands.h"

#include <algorithm>
#include <chrono>

#include "platform/rm/worker_pool.h"

namespace platform::rm {

int BandPainter::BandRows(const raster::Target& t, int bandBytes, int threads) {
  const int rows = BandWalks::BandRows(t, bandBytes);
  if (threads <= 1) return rows;
  // Sixteen bands a thread at least, so that the runs can be evened out
  // where a scene's faces crowd into a few rows.
  return std::max(8, std::min(rows, (t.y1 - t.y0) / (16 * threads)));
}

void BandPainter::SplitBands(const Lists& lists, int bands, int threads) {
  const int runs = std::min(threads, bands);
  runStart_.assign(1, 0);
  if (runs > 1) {
    work_.assign(static_cast<std::size_t>(bands), 0.0f);
    // A cleared pixel costs about a sixteenth of one drawn.
    if (clear_)
      for (float& w : work_)
        w += static_cast<float>(bandRows_) * static_cast<float>(target_.x1 - target_.x0) * (1.0f / 64.0f);
    for (BandWalks* l : lists) l->AddBandWork(work_);
    float total = 0;
    for (float w : work_) total += w;
    const std::vector<float>& shares = speeds_.Shares(runs);
    float sum = 0, before = 0;  // before: the shares of the runs before this one
    for (int band = 0; band < bands && static_cast<int>(runStart_.size()) < runs; ++band) {
      // A run ends at the band boundary nearer its share of the work, and
      // leaves at least a band for each run after it.
      const int run = static_cast<int>(runStart_.size());
      const float share = total * (before + shares[static_cast<std::size_t>(run - 1)]), after = sum + work_[band];
      if (after >= share || bands - (band + 1) <= runs - run) {
        before += shares[static_cast<std::size_t>(run - 1)];
        if (band > runStart_.back() && share - sum < after - share) {
          runStart_.push_back(band);  // and this band is looked at again for the next run
          --band;
          continue;
        }
        runStart_.push_back(band + 1);
      }
      sum = after;
    }
  }
  runStart_.push_back(bands);
  const int made = static_cast<int>(runStart_.size()) - 1;
  runWork_.assign(static_cast<std::size_t>(made), 0.0f);
  runMs_.assign(static_cast<std::size_t>(made), 0.0);
  if (made > 1)
    for (int run = 0; run < made; ++run)
      for (int band = runStart_[run]; band < runStart_[run + 1]; ++band)
        runWork_[static_cast<std::size_t>(run)] += work_[static_cast<std::size_t>(band)];
  if (static_cast<int>(cursors_.size()) < made) cursors_.resize(static_cast<std::size_t>(made));
  for (int run = 0; run < made; ++run)
    for (std::size_t k = opaqueByBands_ ? 0 : 1; k < lists.size(); ++k)
      lists[k]->Carry(cursors_[run][k], runStart_[run]);
}

void BandPainter::Paint(const raster::Target& target, const Lists& lists, const raster::ClearPlan* clear, int bandRows,
                        int threads, bool opaqueByBands) {
  FinishClear();
  target_ = target;
  opaqueByBands_ = opaqueByBands;
  lists_ = lists;
  clear_ = clear;
  bandRows_ = std::max(bandRows, 1);
  const int bands = std::max(0, (target.y1 - target.y0 + bandRows_ - 1) / bandRows_);
  if (bands == 0) return;
  SplitBands(lists, bands, threads);
  WorkerPool::Shared().Run(static_cast<int>(runStart_.size()) - 1, &PaintRun, this);
  if (runStart_.size() > 2) speeds_.Learn(runWork_, runMs_);
}

void BandPainter::ClearAside(const raster::Target& target, const raster::ClearPlan& clear) {
  FinishClear();
  asideTarget_ = target;
  asideClear_ = clear;
  clearingAside_ = true;
  WorkerPool::Shared().Start(&ClearAll, this);
}

void BandPainter::FinishClear() {
  if (!clearingAside_) return;
  clearingAside_ = false;
  WorkerPool::Shared().Wait();
}

void BandPainter::ClearAll(void* self, int) {
  const auto& p = *static_cast<BandPainter*>(self);
  raster::ClearBand(p.asideTarget_, p.asideClear_, p.asideTarget_.y0, p.asideTarget_.y1);
}

void BandPainter::PaintRun(void* self, int run) {
  auto& p = *static_cast<BandPainter*>(self);
  const auto start = std::chrono::steady_clock::now();
  const raster::Target& t = p.target_;
  const int first = p.runStart_[run], end = p.runStart_[run + 1];
  std::size_t byBands = 0;
  if (!p.opaqueByBands_) {
    const int top = t.y0 + first * p.bandRows_, bottom = std::min(t.y0 + end * p.bandRows_, t.y1);
    if (p.clear_) raster::ClearBand(t, *p.clear_, top, bottom);
    p.lists_[0]->DrawRun(t, first, end, bottom);
    byBands = 1;
  }
  for (int band = first; band < end; ++band) {
    const int y = t.y0 + band * p.bandRows_, stop = std::min(y + p.bandRows_, t.y1);
    if (p.clear_ && byBands == 0) raster::ClearBand(t, *p.clear_, y, stop);
    for (std::size_t k = byBands; k < p.lists_.size(); ++k) p.lists_[k]->DrawBand(p.cursors_[run][k], t, band, stop);
  }
  p.runMs_[static_cast<std::size_t>(run)] =
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace platform::rm

#pragma once
// The last step of a render: the picture's bands of rows, each cleared and
// then drawn with its opaque faces, translucent faces and shadows in that
// order, on one thread or split into runs of bands on several.
#include <array>
#include <vector>

#include "platform/rm/raster/target.h"
#include "platform/rm/render_run_speeds.h"
#include "platform/rm/render_transparent.h"

namespace platform::rm {

class BandPainter {
 public:
  // The lists in the order a pixel sees them.
  using Lists = std::array<BandWalks*, 3>;

  // Rows per band for `threads` threads: about `bandBytes` of colour and
  // depth, and bands enough that each thread's run can be about as much work.
  static int BandRows(const raster::Target& target, int bandBytes, int threads);

  // Draws every band of `target` (with `clear`, when given, first in each),
  // on up to `threads` threads. The same pixels for any number of threads:
  // every pixel belongs to one band, drawn by one thread, in the same order.
  // Unless `opaqueByBands`, each thread clears its whole run of bands and
  // draws its opaque faces over it first, one face after another.
  void Paint(const raster::Target& target, const Lists& lists, const raster::ClearPlan* clear, int bandRows,
             int threads, bool opaqueByBands);

  // The whole clear of `target` on another thread while the caller finds
  // the faces (when it draws nothing meanwhile); Paint, or FinishClear
  // before anything is drawn otherwise, waits for it.
  void ClearAside(const raster::Target& target, const raster::ClearPlan& clear);
  void FinishClear();
  BandPainter() = default;
  BandPainter(const BandPainter&) = delete;
  BandPainter& operator=(const BandPainter&) = delete;
  ~BandPainter() { FinishClear(); }

 private:
  // Splits the bands into runs, one per thread, that should take about as
  // long (their work shared as the threads' speeds so far).
  void SplitBands(const Lists& lists, int bands, int threads);
  static void PaintRun(void* self, int run);
  static void ClearAll(void* self, int);

  raster::Target target_;
  Lists lists_{};
  const raster::ClearPlan* clear_ = nullptr;
  int bandRows_ = 1;
  bool opaqueByBands_ = true;
  bool clearingAside_ = false;
  raster::Target asideTarget_;
  raster::ClearPlan asideClear_;
  std::vector<int> runStart_;  // first band of each run, and the band count last
  std::vector<std::array<BandWalks::Cursor, 3>> cursors_;
  std::vector<float> work_;
  RunSpeeds speeds_;
  std::vector<float> runWork_;  // the guess of each run's work
  std::vector<double> runMs_;   // and the wall clock it took
};

}  // namespace platform::rm

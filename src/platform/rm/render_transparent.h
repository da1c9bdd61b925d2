#pragma once
// Faces drawn after the opaque ones: translucent faces and shadows, kept as
// screen triangles and drawn back to front, each blended over what is
// already there. They test depth but leave it as the opaque faces set it.
//
// A frame is drawn band by band of rows (BandWalks): the clear, the opaque
// faces, then these, all over one band before the next, so that a band's
// colour and depth stay in the processor's cache while every face over it
// is drawn (the translucent tables overlap over most of the screen).
#include <cstdint>
#include <vector>

#include "platform/rm/raster/target.h"

namespace platform::rm {

// Triangles drawn a band of rows at a time (raster::RowWalk), in the order
// added. Each walks its rows as if drawn whole, and a pixel sees the
// triangles in the same order, so the picture is the same bit for bit as
// drawing them whole one after another.
//
// Bands may be drawn by several threads at once, each going down its own
// run of bands with its own Cursor. A triangle is set up by the run it
// begins in, when it gets there; a run it reaches into from above sets up
// a copy of its own and steps it down to its first row without drawing, so
// that its running sums are those of the walk drawn whole.
class BandWalks {
  struct Triangle {
    raster::ScreenVertex v[3];
    raster::TriangleStyle style;
    std::uint16_t shadowMark;
  };

 public:
  // One drawer's place in the walks.
  class Cursor {
    struct Entry {
      std::uint32_t order;
      raster::RowWalk* walk;
      bool fresh;  // not set up yet
    };
    std::vector<Entry> active_, merged_;    // walks begun and not done, in order
    std::vector<raster::RowWalk> carried_;  // of the triangles begun above the drawer's bands
    friend class BandWalks;
  };

  // Rows per band: a band's colour and depth in about `bandBytes`, eight
  // rows at least.
  static int BandRows(const raster::Target& target, int bandBytes);

  void Clear() {
    triangles_.clear();
    firstRows_.clear();
    endRows_.clear();
    widths_.clear();
  }
  bool Empty() const { return triangles_.empty(); }
  // Keeps the triangle for `target`, whose shadow mark it keeps, and counts
  // its rows as written (see raster::ClearedRows).
  void Add(const raster::Target& target, const raster::ScreenVertex& a, const raster::ScreenVertex& b,
           const raster::ScreenVertex& c, const raster::TriangleStyle& style);
  // Appends `part`'s triangles (another thread's part of a mesh), whose
  // rows its own target counted.
  void Append(const BandWalks& part);
  // Before the first band: each triangle's band, and unless `runsOnly`
  // (drawn only by DrawRun, which scans them all) each filed under the
  // band it starts in, for DrawBand.
  void Begin(const raster::Target& target, int bandRows, bool runsOnly);
  // Adds to `work[band]` a guess of what drawing each band costs.
  void AddBandWork(std::vector<float>& work);
  // Makes `cursor` ready to draw from band `band` on (and forgets where it was).
  void Carry(Cursor& cursor, int band) const;
  // Band number `band` of every triangle over it: its rows above `yStop`.
  // Bands go down in order for one cursor; cursors share no walk.
  void DrawBand(Cursor& cursor, const raster::Target& target, int band, int yStop);
  // Bands [first, end) of every triangle over them, one triangle after
  // another, down to row `yStop` (the rows of the bands).
  void DrawRun(const raster::Target& target, int first, int end, int yStop) const;
  // Every triangle whole, in order.
  void DrawAll(const raster::Target& target);

 private:
  std::vector<Triangle> triangles_;
  std::vector<raster::RowWalk> walks_;            // one per triangle, set up by the run it begins in; only grows
  std::vector<int> firstRows_;                    // of each triangle; Begin turns them into band numbers
  std::vector<int> endRows_;                      // the row after each triangle's last
  std::vector<float> widths_;                     // of each triangle, in pixels
  std::vector<std::uint32_t> binStart_, binned_;  // triangle numbers by first band
  std::vector<std::uint32_t> nextInBin_;
  std::vector<int> bandOfRow_;  // the band of each row from y0_, for bands of tableBandRows_
  int tableBandRows_ = 0;
  std::vector<double> wholeRate_;  // AddBandWork's change of rate at each band
  int y0_ = 0, bandRows_ = 1;
};

class TransparentList {
 public:
  void Clear() {
    items_.clear();
    order_.clear();
    walks_.Clear();
  }
  // depth: camera-space distance used for sorting (larger is drawn first).
  void Add(const raster::ScreenVertex& a, const raster::ScreenVertex& b, const raster::ScreenVertex& c,
           const raster::TriangleStyle& style, float depth, std::uint16_t shadowMark = 0);
  bool Empty() const { return items_.empty(); }
  void Append(const TransparentList& part) { items_.insert(items_.end(), part.items_.begin(), part.items_.end()); }
  // Sets everything up back to front, to be drawn band by band.
  BandWalks& StartWalks(const raster::Target& target);

 private:
  struct Item {
    raster::ScreenVertex v[3];
    raster::TriangleStyle style;
    std::uint16_t shadowMark;
    float depth;
  };
  std::vector<Item> items_;
  std::vector<std::uint32_t> order_;
  BandWalks walks_;
};

}  // namespace platform::rm

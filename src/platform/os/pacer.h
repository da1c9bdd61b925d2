#pragma once
// The live pace: turns keep to wall time at a fixed rate whatever the
// picture costs. A turn never starts before its slot on the schedule, so the
// game never runs faster than the rate. When drawing cannot keep up, the
// turns that fell a whole slot behind run without a picture (at most
// `maxTurnsPerPicture` - 1 of them in a row) until the schedule is met
// again. A stall (the machine busy, the window dragged) is forgotten beyond
// those few turns: the game does not burst ahead to make up the lost time,
// and never jumps further than one picture's worth of turns.
//
// Times are nanoseconds on any monotonic clock; the pacer reads none itself,
// so it runs the same on a fake clock in tests.
#include <cstdint>

namespace platform::os {

class Pacer {
 public:
  Pacer(std::int64_t turnNanoseconds, int maxTurnsPerPicture);

  // The first turn begins at `now`.
  void Start(std::int64_t now) { due_ = now; }

  // The turn that began at TurnTime() ended at `now`: returns the time the
  // next turn may start (`now` itself when it is already due).
  std::int64_t EndTurn(std::int64_t now);

  // The time the current turn was due: the game's clock, which timers read.
  // It advances by exactly one turn per turn while the pace holds, so timed
  // events fall on the same turns as on the virtual clock.
  std::int64_t TurnTime() const { return due_; }
  // Whether the current turn renders a picture, and whether the one before
  // did (the picture it rendered is presented in the next turn).
  bool RendersPicture() const { return renders_; }
  bool PreviousRenderedPicture() const { return previousRendered_; }

 private:
  std::int64_t turn_;
  int maxSkipped_;
  std::int64_t due_ = 0;
  int skipped_ = 0;
  bool renders_ = true;
  bool previousRendered_ = true;
};

}  // namespace platform::os

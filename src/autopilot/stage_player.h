#pragma once
// Plays one stage from its layout and order: drives to a pot, scoops,
// carries the load to the cup or the glass, pours what the order wants, and
// confirms the order once every tally is within reach of it. Each phase is
// an object of its own (trip_phases.h, pot_phases.h, lift_out.h,
// vessel_phases.h), made afresh whenever it is entered.
#include <memory>
#include <string>

#include "autopilot/keys.h"
#include "autopilot/progress_watch.h"
#include "autopilot/stage.h"
#include "autopilot/trace.h"

namespace autopilot {

class StagePlayer {
 public:
  explicit StagePlayer(const Trace& trace);
  // The keys for this turn. `failure` is set when the stage cannot go on.
  Keys Turn(std::string& failure);
  const char* PhaseName() const { return autopilot::PhaseName(stage_.Current()); }

 private:
  Stage stage_;
  ProgressWatch watch_;
  std::unique_ptr<PhaseStep> phase_;
};

}  // namespace autopilot

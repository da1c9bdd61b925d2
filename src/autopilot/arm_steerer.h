#pragma once
// Steers boom, arm and bucket one move a turn toward what a phase wants,
// remembering the moves the game undid. Each phase that moves the arm holds
// one of its own, so that memory starts afresh with the phase.
#include <optional>
#include <utility>
#include <vector>

#include "autopilot/arm_model.h"
#include "autopilot/arm_moves.h"
#include "autopilot/keys.h"
#include "autopilot/trace.h"

namespace autopilot {

// What the bucket holds now: its load, or while empty what its tilt would
// hold.
double HoldingNow();

class ArmSteerer {
 public:
  ArmSteerer(const ArmModel& arm, const Trace& trace) : arm_(&arm), trace_(&trace) {}

  // One move toward the cost's minimum; none once no move helps. A move the
  // game undid (a probe met something) is not tried again from the same
  // pose.
  std::optional<Keys> Towards(const ArmCost& cost);
  // Moves toward `goal`, keeping the bucket above `floor` (in the body's
  // plane) and, while it is below `rim`, inside the pot `reach` ahead whose
  // wall stands `inner` from its axis.
  std::optional<Keys> ToGoal(const Joints& goal, double floor, double rim, double reach, double inner);

 private:
  // A move shows in the next turn's pose, and when a probe meets something
  // the game puts the pose back a turn later: the last two decisions tell.
  struct Decision {
    Joints from;
    std::optional<ArmMove> move;
  };

  const ArmModel* arm_;
  const Trace* trace_;
  std::vector<std::pair<Joints, int>> undone_;  // moves the game undid, with the pose they were tried from
  Decision previous_, beforePrevious_;
};

}  // namespace autopilot

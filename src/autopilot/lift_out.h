#pragma once
// The way out of a pot: planned once the bucket has dipped, then followed
// move by move. Where no way can be planned, the bucket is raised as the
// raise phase would, still inside the pot.
#include <cstddef>
#include <optional>

#include "autopilot/arm_path.h"
#include "autopilot/pot_phases.h"
#include "autopilot/stage.h"

namespace autopilot {

// Every probe of the bucket clear of the pot's wall: above its rim over the
// wall, above the floor inside it, above the table outside it; seen in the
// upper structure's plane, `reach` ahead, whose origin is at height `body`.
bool ClearOfPot(const ArmModel& arm, const Joints& j, const Pot& pot, double reach, double body);

class LiftingOut final : public PhaseStep {
 public:
  explicit LiftingOut(const Stage& stage) : fallback_(stage, /*lifting=*/true) {}
  Keys Step(Stage& stage, const Moment& m) override;

 private:
  // The next move of the way, planning it first when there is none; none
  // while nothing is to be pressed, or once the way is done or failed_.
  std::optional<Keys> FollowWay(Stage& stage, const Moment& m);
  bool Plan(Stage& stage, const Moment& m);

  std::optional<ArmPath> path_;
  std::size_t move_ = 0;  // the path's move under way
  int moveTurns_ = 0;     // and the turns it has been held
  int plans_ = 0;
  bool failed_ = false;
  Raising fallback_;
};

}  // namespace autopilot

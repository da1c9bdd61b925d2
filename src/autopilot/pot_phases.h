#pragma once
// The phases at a pot: drive up to it, reach over it, lower the bucket to
// the surface, dip it by curling, scoop, and raise the load to where it is
// carried. The way out of the pot is planned (lift_out.h).
#include <optional>
#include <vector>

#include "autopilot/arm_steerer.h"
#include "autopilot/stage.h"

namespace autopilot {

class Approaching final : public PhaseStep {
 public:
  Keys Step(Stage& stage, const Moment& m) override;

 private:
  std::vector<Keys> creep_;            // the angled step that sets up the approach, under way
  std::optional<Ground> lastChassis_;  // where the last drive forward started
};

// Reaching over the pot (above its rim), then lowering to the surface.
class Lowering final : public PhaseStep {
 public:
  Lowering(const Stage& stage, bool abovePot) : abovePot_(abovePot), steer_(stage.arm, stage.trace) {}
  Keys Step(Stage& stage, const Moment& m) override;

 private:
  bool abovePot_;
  ArmSteerer steer_;
};

// Curls the bucket until it meets the surface; no state of its own.
Keys Dip(Stage& stage, const Moment& m);

class Scooping final : public PhaseStep {
 public:
  explicit Scooping(const Stage& stage) : steer_(stage.arm, stage.trace) {}
  Keys Step(Stage& stage, const Moment& m) override;

 private:
  ArmSteerer steer_;
};

// Up to the fullest pose that clears the rim, then to the fullest that
// clears every rim tucked in toward the cab. `lifting`: still inside the
// pot, where no way out could be planned.
class Raising final : public PhaseStep {
 public:
  Raising(const Stage& stage, bool lifting) : lifting_(lifting), steer_(stage.arm, stage.trace) {}
  Keys Step(Stage& stage, const Moment& m) override;

 private:
  bool lifting_;
  ArmSteerer steer_;
  std::optional<Joints> goal_;
};

}  // namespace autopilot

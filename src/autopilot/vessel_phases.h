#pragma once
// The phases at a vessel: reach over it with the load, and pour what its
// order still wants.
#include <optional>

#include "autopilot/arm_steerer.h"
#include "autopilot/stage.h"

namespace autopilot {

class ReachingOverVessel final : public PhaseStep {
 public:
  explicit ReachingOverVessel(const Stage& stage) : steer_(stage.arm, stage.trace) {}
  Keys Step(Stage& stage, const Moment& m) override;

 private:
  struct View;
  View Look(const Stage& stage, const Moment& m, const Vessel& v) const;
  double ShedTarget(const Stage& stage, const Moment& m, const View& view) const;
  std::optional<Keys> ChooseGoal(Stage& stage, const Moment& m, const View& view);

  ArmSteerer steer_;
  std::optional<Joints> goal_;    // the pose that holds the mouth over the vessel
  std::optional<double> shedTo_;  // the load the bucket may carry over the vessel
};

// Tilts the bucket over the vessel until its tally is near enough; no
// state of its own.
Keys Pour(Stage& stage, const Moment& m);

}  // namespace autopilot

#pragma once
// The phases between pot and vessel: plan a trip, fold the arm, drive the
// route, face the target, back off, empty a load no vessel wants, and
// confirm the order once every tally is near enough.
#include <cstddef>

#include "autopilot/arm_steerer.h"
#include "autopilot/stage.h"

namespace autopilot {

// Phases with no state of their own.
Keys PlanTrip(Stage& stage, const Moment& m);      // an ingredient for the vessels that still want it
Keys DumpLoad(Stage& stage, const Moment& m);      // a load no vessel wants, spilled over the table
Keys FaceTarget(Stage& stage, const Moment& m);    // at the route's end, turned toward pot or vessel
Keys BackOff(Stage& stage, const Moment& m);       // back to where the chassis turned toward it
Keys ConfirmOrder(Stage& stage, const Moment& m);  // every tally near enough

class Folding final : public PhaseStep {
 public:
  explicit Folding(const Stage& stage) : steer_(stage.arm, stage.trace) {}
  Keys Step(Stage& stage, const Moment& m) override;

 private:
  ArmSteerer steer_;
};

class Travelling final : public PhaseStep {
 public:
  Keys Step(Stage& stage, const Moment& m) override;

 private:
  std::size_t waypoint_ = 0;  // the trip route's point being driven to
};

}  // namespace autopilot

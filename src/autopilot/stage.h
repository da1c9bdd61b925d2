#pragma once
// What the phases of a stage share: the layout, the drivers of chassis and
// arm, the trip under way, and which phase comes next.
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "autopilot/arm_model.h"
#include "autopilot/chassis_driver.h"
#include "autopilot/keys.h"
#include "autopilot/stage_layout.h"
#include "autopilot/trace.h"

namespace autopilot {

enum class Phase {
  Plan,
  Fold,
  Dump,
  Travel,
  Face,
  Approach,
  AbovePot,
  Lower,
  Dip,
  Scoop,
  LiftOut,
  Raise,
  BackOff,
  OverVessel,
  Pour,
  Confirm
};
const char* PhaseName(Phase p);

// One trip: to a pot for an ingredient, or with the load to the vessels
// that still want it. Planning starts a new one.
struct Trip {
  int ingredient = 0;
  std::vector<int> vessels;     // indices into the layout's vessels, in pouring order
  std::size_t vesselIndex = 0;  // which of them is next
  Ground target;                // the pot or vessel being driven to
  std::vector<Ground> route;    // the way to where the chassis turns toward it
  bool crept = false;           // the angled step that sets up the approach is taken
  int dipTries = 0;             // dips that did not meet the surface; each starts lower
};

// What every phase reads of this turn.
struct Moment {
  Stance stance;
  Joints joints;
  const Pot* pot = nullptr;  // the pot of the trip's ingredient
  double body = 0;           // the height of the body's plane
  double travelLow = 0;      // the lowest the bucket may carry a load, in that plane
  double potReach = 15;      // how far ahead of the body the pot's axis stands
};

class Stage {
 public:
  explicit Stage(const Trace& trace);
  Stage(const Stage&) = delete;
  Stage& operator=(const Stage&) = delete;

  Moment Read() const;
  // What the vessel still wants of the ingredient.
  double Remaining(const Vessel& v, int ingredient) const;

  // The next phase, fresh, from the next turn on.
  void Enter(Phase p);
  // The phase entered this turn, once.
  std::optional<Phase> TakeEntered();
  Phase Current() const { return phase_; }

  const Trace trace;
  const StageLayout layout;
  const ChassisDriver chassis;
  const ArmModel arm;
  Trip trip;
  int phaseTurns = 0;   // turns played in the current phase
  std::string failure;  // why the stage cannot go on

 private:
  Phase phase_ = Phase::Plan;
  std::optional<Phase> entered_;
};

// One phase's keys, turn by turn. A phase's state lives in its object, made
// anew each time the phase is entered.
class PhaseStep {
 public:
  virtual ~PhaseStep() = default;
  virtual Keys Step(Stage& stage, const Moment& m) = 0;
};

// A phase with no state of its own: a function of the stage and the turn.
using PhaseFunction = Keys (*)(Stage& stage, const Moment& m);
class StatelessPhase final : public PhaseStep {
 public:
  explicit StatelessPhase(PhaseFunction step) : step_(step) {}
  Keys Step(Stage& stage, const Moment& m) override { return step_(stage, m); }

 private:
  PhaseFunction step_;
};

}  // namespace autopilot

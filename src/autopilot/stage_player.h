#pragma once
// Plays one stage from its layout and order: drives to a pot, scoops,
// carries the load to the cup or the glass, pours what the order wants, and
// confirms the order once every tally is within reach of it.
#include <optional>
#include <string>
#include <vector>

#include "autopilot/arm_model.h"
#include "autopilot/arm_moves.h"
#include "autopilot/arm_path.h"
#include "autopilot/keys.h"
#include "autopilot/route.h"
#include "autopilot/stage_layout.h"

namespace autopilot {

class StagePlayer {
 public:
  StagePlayer();
  // The keys for this turn. `failure` is set when the stage cannot go on.
  Keys Turn(std::string& failure);
  const char* PhaseName() const;

 private:
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
  struct Trip {
    int ingredient = 0;
    std::vector<int> vessels;  // indices into the layout's vessels, in pouring order
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

  void Enter(Phase p);
  Keys Step();
  Keys Plan();
  Keys Folding(const Moment& m);
  Keys Dumping(const Moment& m);
  Keys Travelling();
  Keys Facing();
  Keys Approaching(const Moment& m);
  Keys Lowering(const Moment& m);  // over the pot, then down to the surface
  Keys Dipping(const Moment& m);
  Keys Scooping(const Moment& m);
  Keys Raising(const Moment& m);  // out of the pot when no way was planned, then up
  Keys BackingOff(const Moment& m);
  Keys ReachingOverVessel(const Moment& m);
  Keys Pouring(const Moment& m);
  Keys TravelToTarget(const char* noRoute);
  // Keys that bring the chassis to `point`; none once it is there.
  std::optional<Keys> TravelTo(Ground point, bool forward);
  Keys FaceTarget(Ground target, Phase next);
  std::optional<Keys> ArmTowards(const ArmCost& cost);
  // Moves toward goal_, keeping the bucket above `floor` (in the body's
  // plane) and, while it is below `rim`, inside the pot `reach` ahead.
  std::optional<Keys> ArmToGoal(double floor, double rim, double reach, double inner);
  bool ClearOfPot(const Joints& j, const Pot& pot, double reach, double body) const;
  std::optional<Keys> LiftOut(const Pot& pot, const Stance& s);
  std::vector<Keys> CreepKeys(const Stance& s) const;
  bool WheelsStayOn(const Keys& keys, const Stance& s, double margin) const;
  double HoldingNow() const;
  Ground ParkFor(Ground axis, double inset) const;
  Ground PreParkFor(Ground axis) const;
  double Remaining(const Vessel& v, int ingredient) const;

  StageLayout layout_;
  RouteMap routes_;
  ArmModel arm_;
  Phase phase_ = Phase::Plan;
  int phaseTurns_ = 0;
  Trip trip_;
  Ground target_;  // the pot or vessel being driven to
  std::string failure_;
  std::size_t vesselIndex_ = 0;  // which of the trip's vessels is next
  std::vector<Ground> path_;
  std::size_t pathIndex_ = 0;
  Phase afterTravel_ = Phase::Plan;
  // Moves the game undid, with the pose they were tried from: the same move
  // from the same pose would only be undone again.
  std::vector<std::pair<Joints, int>> undone_;
  std::optional<Joints> goal_;  // the pose this phase moves the arm to
  // The last two decisions: a move shows in the next turn's pose, and when a
  // probe meets something the game puts the pose back a turn later.
  struct Decision {
    Joints from;
    std::optional<ArmMove> move;
  };
  Decision previous_, beforePrevious_;
  // The way out of the pot, the move under way and its turns so far.
  std::optional<ArmPath> liftPath_;
  std::size_t liftIndex_ = 0;
  int liftTurns_ = 0, liftPlans_ = 0;
  bool liftFailed_ = false;
  std::optional<double> shedTo_;  // the load the bucket may carry over the vessel
  Ground lastChassis_;
  std::vector<Keys> creep_;  // the angled step that sets up the approach
  bool crept_ = false;       // taken on this trip
  double pouredBefore_ = 0;
  int turnsSincePour_ = 0;
  int dipTries_ = 0;
  double dipStart_ = 0;
  double depth_ = 0;  // how far below the surface the scoop aims
};

}  // namespace autopilot

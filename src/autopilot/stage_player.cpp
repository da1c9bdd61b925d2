#include "autopilot/stage_player.h"

#include "autopilot/lift_out.h"
#include "autopilot/pot_phases.h"
#include "autopilot/trip_phases.h"
#include "autopilot/vessel_phases.h"

namespace autopilot {

namespace {

std::unique_ptr<PhaseStep> MakePhase(Phase p, const Stage& stage) {
  switch (p) {
    case Phase::Plan: return std::make_unique<StatelessPhase>(PlanTrip);
    case Phase::Fold: return std::make_unique<Folding>(stage);
    case Phase::Dump: return std::make_unique<StatelessPhase>(DumpLoad);
    case Phase::Travel: return std::make_unique<Travelling>();
    case Phase::Face: return std::make_unique<StatelessPhase>(FaceTarget);
    case Phase::Approach: return std::make_unique<Approaching>();
    case Phase::AbovePot: return std::make_unique<Lowering>(stage, /*abovePot=*/true);
    case Phase::Lower: return std::make_unique<Lowering>(stage, /*abovePot=*/false);
    case Phase::Dip: return std::make_unique<StatelessPhase>(Dip);
    case Phase::Scoop: return std::make_unique<Scooping>(stage);
    case Phase::LiftOut: return std::make_unique<LiftingOut>(stage);
    case Phase::Raise: return std::make_unique<Raising>(stage, /*lifting=*/false);
    case Phase::BackOff: return std::make_unique<StatelessPhase>(BackOff);
    case Phase::OverVessel: return std::make_unique<ReachingOverVessel>(stage);
    case Phase::Pour: return std::make_unique<StatelessPhase>(Pour);
    case Phase::Confirm: return std::make_unique<StatelessPhase>(ConfirmOrder);
  }
  return std::make_unique<StatelessPhase>(PlanTrip);
}

}  // namespace

StagePlayer::StagePlayer(const Trace& trace) : stage_(trace), phase_(MakePhase(Phase::Plan, stage_)) {}

Keys StagePlayer::Turn(std::string& failure) {
  Keys keys = phase_->Step(stage_, stage_.Read());
  if (auto next = stage_.TakeEntered()) {
    phase_ = MakePhase(*next, stage_);
    stage_.phaseTurns = 0;
  }
  // Never off the edge, whatever a phase asks for: a held-back phase ends
  // at its own limit.
  if (!stage_.chassis.WheelsStayOn(keys, ReadStance(), 0.02)) keys = {};
  if (stage_.failure.empty()) stage_.failure = watch_.AfterTurn(++stage_.phaseTurns, PhaseName(), PouredSoFar());
  failure = stage_.failure;
  return keys;
}

}  // namespace autopilot

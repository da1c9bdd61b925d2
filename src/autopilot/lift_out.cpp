// The way out of a pot: planned once the bucket has dipped, then followed
// move by move.
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "autopilot/arm_path.h"
#include "autopilot/player_tuning.h"
#include "autopilot/stage_player.h"
#include "core/game_state.h"
#include "platform/os/debug_output.h"

namespace autopilot {

// Every probe of the bucket clear of the pot's wall: above its rim over the
// wall, above the floor inside it, above the table outside it; seen in the
// upper structure's plane, where the wall lies `inner` to `outer` from the
// axis on both sides.
bool StagePlayer::ClearOfPot(const Joints& j, const Pot& pot, double reach, double body) const {
  constexpr double kMargin = 1.0;
  for (Plane q : arm_.Points(j)) {
    double d = std::abs(q.f - reach);
    double floor = d < pot.inner - kMargin ? pot.floor + 0.2 : d <= pot.outer + kMargin ? pot.rim + 0.35 : 0.5;
    if (q.h < floor - body) return false;
  }
  return true;
}

// Out of the pot along a planned way, keeping as much of the load as the
// wall allows, up to where the load is carried. None while a move is under
// way, or once the way is done or failed (liftFailed_ then says which).
std::optional<Keys> StagePlayer::LiftOut(const Pot& pot, const Stance& s) {
  const game::GameState& g = game::gameState;
  const Joints now = ArmModel::Current();
  if (liftPath_ && liftTurns_ == liftPath_->repeat) {
    // A move is done: on to the next, or plan again from where the arm is
    // if the game held it back.
    const Joints& want = liftPath_->poses[liftIndex_];
    const Joints step = KeySteps(Pace());
    if (std::abs(now.boom - want.boom) > step.boom / 2 || std::abs(now.arm - want.arm) > step.arm / 2 ||
        std::abs(now.bucket - want.bucket) > step.bucket / 2)
      liftPath_.reset();
    else
      ++liftIndex_;
    liftTurns_ = 0;
  }
  if (liftPath_ && liftIndex_ >= liftPath_->moves.size()) {
    liftPath_.reset();
    Enter(g.bucketLoaded ? Phase::BackOff : g.bucketDipped ? Phase::Scoop : Phase::AbovePot);
    return std::nullopt;
  }
  if (!liftPath_) {
    if (++liftPlans_ > 6) {
      liftFailed_ = true;
      return std::nullopt;
    }
    const double body = s.body.y;
    const double reach = s.InBodyPlane({static_cast<float>(pot.axis.x), 0, static_cast<float>(pot.axis.z)}).f;
    const double travelLow = layout_.highest + 0.4 - body;
    // A loaded bucket only loses; one still in the ingredient takes what its
    // tilt holds when it comes out, so poses under the surface cost nothing.
    const double amount = g.bucketLoaded ? g.bucketAmount : 400;
    const double under = pot.surface - body - 0.3;
    // The game names the load after the pot the mouth is over when the
    // bucket leaves the ingredient: near the surface, keep it over the pot.
    const double nearSurface = pot.surface - body + 1.0;
    auto passable = [&](const Joints& j) {
      if (!ClearOfPot(j, pot, reach, body)) return false;
      return g.bucketLoaded || arm_.Lowest(j) >= nearSurface || std::abs(arm_.Mouth(j).f - reach) < kNamedWithin;
    };
    liftPath_ = PlanArmPath(
        now, Pace(), passable,
        [&](const Joints& j) { return arm_.Lowest(j) >= travelLow && arm_.Reach(j).f >= kTuckedIn; },
        [&](const Joints& j) {
          if (!g.bucketLoaded && ((g.bucketDipped && SameJoints(j, now)) ||
                                  (arm_.Lowest(j) < under && std::abs(arm_.Middle(j).f - reach) < pot.inner - 2)))
            return amount;
          return std::min(amount, ArmModel::Capacity(ArmModel::Tilt(j)));
        });
    liftIndex_ = 0;
    liftTurns_ = 0;
    if (std::getenv("ZARN_AP_TRACE")) {
      char line[160];
      std::snprintf(line, sizeof line, "  lift-out way: %d moves keeping %.0f of %.0f\n",
                    liftPath_ ? static_cast<int>(liftPath_->moves.size()) : -1, liftPath_ ? liftPath_->held : 0.0,
                    amount);
      platform::os::OutputDebugString(line);
    }
    if (!liftPath_) {
      liftFailed_ = true;
      return std::nullopt;
    }
    if (liftPath_->moves.empty()) {
      Enter(g.bucketLoaded ? Phase::BackOff : Phase::AbovePot);
      return std::nullopt;
    }
  }
  ++liftTurns_;
  return ArmMoves()[liftPath_->moves[liftIndex_]].keys;
}

}  // namespace autopilot

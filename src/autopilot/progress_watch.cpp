#include "autopilot/progress_watch.h"

#include "autopilot/player_tuning.h"
#include "autopilot/stage_layout.h"

namespace autopilot {

namespace {

constexpr int kPhaseTurnLimit = 6000;
constexpr double kPourTurnLimit = 25000;  // at the slowest pace; a trip takes a tenth of it

}  // namespace

std::string ProgressWatch::AfterTurn(int phaseTurns, const char* phase, double poured) {
  if (phaseTurns > kPhaseTurnLimit) return std::string("no progress while ") + phase;
  // Progress is a whole unit at least: a bucket that spills at the rim may
  // add crumbs to a tally turn after turn.
  if (poured >= pouredBefore_ + 1) {
    pouredBefore_ = poured;
    turnsSincePour_ = 0;
  } else if (++turnsSincePour_ > kPourTurnLimit / Pace()) {
    return "nothing poured for a long time";
  }
  return {};
}

double PouredSoFar() {
  double poured = 0;
  for (int i = 1; i <= 3; ++i) poured += Poured(true, i) + Poured(false, i);
  return poured;
}

}  // namespace autopilot

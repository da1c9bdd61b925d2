#pragma once
// Ends a stage that gets nowhere: a phase that runs too long, or phases
// that hand over to each other in a circle while the tallies do not grow.
#include <string>

namespace autopilot {

class ProgressWatch {
 public:
  // After each turn: the turns played in the phase so far, its name, and
  // all that the vessels' tallies add up to. Says why the stage cannot go
  // on, or nothing.
  std::string AfterTurn(int phaseTurns, const char* phase, double poured);

 private:
  double pouredBefore_ = 0;
  int turnsSincePour_ = 0;
};

// All the vessels' tallies together.
double PouredSoFar();

}  // namespace autopilot

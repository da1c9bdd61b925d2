#pragma once
// What the stage player's parts share: the pace the keys move at and the
// distances the game's rules fix.
#include <algorithm>
#include <cmath>

#include "autopilot/arm_model.h"
#include "core/game_state.h"

namespace autopilot {

constexpr double kNamedWithin = 8.5;  // the game names a pot within 10 of the mouth
constexpr double kTuckedIn = 6.5;     // the bucket keeps this far ahead of the cab

inline double Sq(double x) { return x * x; }

inline double Pace() { return std::max(0.05, static_cast<double>(game::gameState.speedFactor)); }

inline bool SameJoints(const Joints& a, const Joints& b) {
  return std::abs(a.boom - b.boom) < 1e-6 && std::abs(a.arm - b.arm) < 1e-6 && std::abs(a.bucket - b.bucket) < 1e-6;
}

}  // namespace autopilot

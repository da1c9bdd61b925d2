#pragma once
// One turn's move of boom, arm and bucket, chosen among the key combinations
// a player can hold, as the one that brings the linkage nearest a goal.
#include <functional>
#include <optional>
#include <vector>

#include "autopilot/arm_model.h"
#include "autopilot/keys.h"

namespace autopilot {

struct ArmMove {
  int boom = 0, arm = 0, bucket = 0;  // -1, 0, +1: the sign of the joint's rate
  Keys keys;
  int id = 0;
};

const std::vector<ArmMove>& ArmMoves();

// Where a move takes the joints in one turn at this pace.
Joints After(const Joints& j, const ArmMove& m, double speedFactor);

// Lower is better; the move must lower it by more than `minGain`.
using ArmCost = std::function<double(const Joints&)>;

// The move that lowers the cost most, skipping moves in `blocked` (ids) and
// moves that would carry a joint into its limit window; none when no move
// helps (the goal is reached as near as the steps allow).
std::optional<ArmMove> BestArmMove(const Joints& now, double speedFactor, const ArmCost& cost,
                                   const std::vector<int>& blocked, double minGain = 1e-4);

}  // namespace autopilot

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

// The joints stay inside these angles, clear of the windows where the game
// pushes them back.
constexpr Joints kJointsLowest{-1.25, -1.44, -2.15};
constexpr Joints kJointsHighest{0.80, 0.80, 0.75};

// How far one turn of a key moves each joint at this pace.
Joints KeySteps(double speedFactor);

// Where a move takes the joints in one turn at this pace.
Joints After(const Joints& j, const ArmMove& m, double speedFactor);

// Lower is better; the move must lower it by more than `minGain`.
using ArmCost = std::function<double(const Joints&)>;

// The move that lowers the cost most, skipping moves in `blocked` (ids) and
// moves that would carry a joint into its limit window; when no single move
// helps, the first of the best short sequence of moves that does (the
// bucket cannot turn with the arm, so holding a tilt while the arm moves
// takes two turns); none when nothing helps (the goal is reached as near as
// the steps allow).
// Poses a sequence may pass through: a turn that spills the load is for good,
// whatever the sequence's end would gain.
using PoseCheck = std::function<bool(const Joints&)>;

std::optional<ArmMove> BestArmMove(const Joints& now, double speedFactor, const ArmCost& cost,
                                   const std::vector<int>& blocked, const PoseCheck& passable, double minGain = 1e-4);

}  // namespace autopilot

#pragma once
// What the autopilot knows of a stage: read from the scene as laid out and
// from the order, as a player reads them off the screen.
#include <array>
#include <vector>

#include "autopilot/route.h"
#include "scene/scene_objects.h"

namespace autopilot {

struct Pot {
  int ingredient = 0;  // 1 coffee, 2 milk, 3 sugar
  Ground axis;
  double rim = 0;      // height of the rim's top
  double surface = 0;  // height of the ingredient's surface
  double floor = 0;    // top of the solid under it, as deep as a bucket goes
  double inner = 8.4;  // radius inside the wall
  double outer = 9.4;  // radius outside it
};

struct Vessel {
  bool cup = true;
  Ground axis;
  double rim = 0;
  double pourRadius = 0;          // the mouth must be nearer its axis than this
  std::array<float, 4> wanted{};  // by ingredient 1..3
};

struct StageLayout {
  Area table;
  std::vector<Area> obstacles;
  std::vector<Pot> pots;        // the pots standing at the table
  std::vector<Vessel> vessels;  // the vessels in play
  double highest = 0;           // the top of everything beside the table

  const Pot* PotOf(int ingredient) const;
};

StageLayout ReadStageLayout();

// A box around every mesh a frame holds, in scene coordinates.
struct Bounds3 {
  platform::rm::Vec3 min{1e9f, 1e9f, 1e9f}, max{-1e9f, -1e9f, -1e9f};
  bool Empty() const { return min.x > max.x; }
};
Bounds3 WorldBounds(const scene::Ref<scene::Frame>& frame);

// The tallies poured so far, by vessel (cup first) and ingredient 1..3.
float Poured(bool cup, int ingredient);

}  // namespace autopilot

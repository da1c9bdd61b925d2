#include "autopilot/stage.h"

#include <cstdio>

#include "core/game_state.h"
#include "platform/os/turns.h"

namespace autopilot {

namespace {

ArmModel MeasuredArm() {
  ArmModel arm;
  arm.Measure();
  return arm;
}

void TraceLayout(const Trace& trace, const StageLayout& layout) {
  char line[300];
  for (const Pot& p : layout.pots) {
    std::snprintf(line, sizeof line, "  pot %d at %.1f %.1f rim %.2f surface %.2f floor %.2f inner %.2f outer %.2f\n",
                  p.ingredient, p.axis.x, p.axis.z, p.rim, p.surface, p.floor, p.inner, p.outer);
    trace.Say(line);
  }
  for (const Vessel& v : layout.vessels) {
    std::snprintf(line, sizeof line, "  vessel %s at %.1f %.1f rim %.2f\n", v.cup ? "cup" : "glass", v.axis.x, v.axis.z,
                  v.rim);
    trace.Say(line);
  }
}

}  // namespace

const char* PhaseName(Phase p) {
  static const char* const names[] = {"planning",
                                      "folding the arm",
                                      "emptying the bucket",
                                      "driving",
                                      "turning to face",
                                      "driving up to the pot",
                                      "reaching over the pot",
                                      "lowering into the pot",
                                      "dipping the bucket",
                                      "scooping",
                                      "lifting out",
                                      "raising the load",
                                      "backing off",
                                      "reaching over the vessel",
                                      "pouring",
                                      "confirming the order"};
  return names[static_cast<int>(p)];
}

Stage::Stage(const Trace& trace)
    : trace(trace), layout(ReadStageLayout()), chassis(layout.table, layout.obstacles), arm(MeasuredArm()) {
  if (trace.Details()) TraceLayout(trace, layout);
}

Moment Stage::Read() const {
  Moment m;
  m.stance = ReadStance();
  m.joints = ArmModel::Current();
  m.pot = layout.PotOf(trip.ingredient);
  m.body = m.stance.body.y;
  m.travelLow = layout.highest + 0.4 - m.body;
  if (m.pot)
    m.potReach = m.stance.InBodyPlane({static_cast<float>(m.pot->axis.x), 0, static_cast<float>(m.pot->axis.z)}).f;
  return m;
}

double Stage::Remaining(const Vessel& v, int ingredient) const {
  return v.wanted[ingredient] - Poured(v.cup, ingredient);
}

void Stage::Enter(Phase p) {
  if (p != phase_) {
    const game::GameState& g = game::gameState;
    Joints j = ArmModel::Current();
    Stance s = ReadStance();
    char line[256];
    std::snprintf(line, sizeof line,
                  "autopilot: turn %lld %s -> phase %d (boom %.2f arm %.2f bucket %.2f tilt %.2f, dipped %d loaded %d "
                  "amount %.0f ing %d; at %.1f %.1f; cup %.0f %.0f %.0f glass %.0f %.0f %.0f)\n",
                  static_cast<long long>(platform::os::CurrentTurn()), PhaseName(phase_), static_cast<int>(p), j.boom,
                  j.arm, j.bucket, ArmModel::Tilt(j), g.bucketDipped, g.bucketLoaded, g.bucketAmount,
                  static_cast<int>(g.bucketIngredient), s.chassis.x, s.chassis.z, Poured(true, 1), Poured(true, 2),
                  Poured(true, 3), Poured(false, 1), Poured(false, 2), Poured(false, 3));
    trace.Say(line);
  }
  phase_ = p;
  entered_ = p;
}

std::optional<Phase> Stage::TakeEntered() {
  std::optional<Phase> p = entered_;
  entered_.reset();
  return p;
}

}  // namespace autopilot

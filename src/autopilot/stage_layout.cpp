#include "autopilot/stage_layout.h"

#include <algorithm>

#include "game/game_state.h"

namespace autopilot {

using platform::rm::Vec3;
using scene::objects;

namespace {

// Props parked off the stage wait thousands of units above the table.
constexpr double kOnStage = 500;

void Grow(Bounds3& b, Vec3 p) {
  b.min = {std::min(b.min.x, p.x), std::min(b.min.y, p.y), std::min(b.min.z, p.z)};
  b.max = {std::max(b.max.x, p.x), std::max(b.max.y, p.y), std::max(b.max.z, p.z)};
}

Ground GroundOf(const scene::Ref<scene::Frame>& f) {
  Vec3 p;
  if (f) f->GetPosition(objects.sceneRoot.get(), &p);
  return {p.x, p.z};
}

bool OnStage(const scene::Ref<scene::Frame>& f) {
  Vec3 p;
  return f && f->GetPosition(objects.sceneRoot.get(), &p) == 0 && p.y < kOnStage;
}

}  // namespace

Bounds3 WorldBounds(const scene::Ref<scene::Frame>& frame) {
  Bounds3 b;
  if (!frame) return b;
  for (const auto& visual : frame->Visuals()) {
    const platform::rm::MeshBuilder* mesh = visual->AsMesh();
    if (!mesh || mesh->Bounds().empty) continue;
    const auto& box = mesh->Bounds();
    for (int c = 0; c < 8; ++c)
      Grow(b, frame->Transform({c & 1 ? box.max.x : box.min.x, c & 2 ? box.max.y : box.min.y,
                                c & 4 ? box.max.z : box.min.z}));
  }
  return b;
}

float Poured(bool cup, int ingredient) {
  const game::GameState& g = game::gameState;
  const float cupTally[] = {0, g.cupCoffee, g.cupMilk, g.cupSugar};
  const float glassTally[] = {0, g.glassCoffee, g.glassMilk, g.glassSugar};
  return (cup ? cupTally : glassTally)[ingredient];
}

const Pot* StageLayout::PotOf(int ingredient) const {
  for (const Pot& p : pots)
    if (p.ingredient == ingredient) return &p;
  return nullptr;
}

StageLayout ReadStageLayout() {
  const game::GameState& g = game::gameState;
  StageLayout s;
  Vec3 a, b;
  if (objects.tableCorner[2]) objects.tableCorner[2]->GetPosition(objects.sceneRoot.get(), &a);
  if (objects.tableCorner[3]) objects.tableCorner[3]->GetPosition(objects.sceneRoot.get(), &b);
  s.table = {a.x, a.z, b.x, b.z};

  for (auto* f : {&objects.dish1Frame, &objects.dish2Frame, &objects.dish3Frame, &objects.cakeFrame,
                  &objects.cake2Frame, &objects.spoonFrame}) {
    if (!OnStage(*f)) continue;
    Bounds3 box = WorldBounds(*f);
    if (!box.Empty()) s.obstacles.push_back({box.min.x, box.min.z, box.max.x, box.max.z});
  }

  struct PotFrames {
    int ingredient;
    scene::Ref<scene::Frame>*jar, *surface, *solid;
  };
  for (PotFrames p : {PotFrames{1, &objects.coffeeJarFrame, &objects.coffeeInFrame, &objects.coffeeRFrame},
                      PotFrames{2, &objects.milkJarFrame, &objects.milkInFrame, &objects.milkRFrame},
                      PotFrames{3, &objects.sugarJarFrame, &objects.sugarInFrame, &objects.sugarMidFrame}}) {
    if (!OnStage(*p.jar)) continue;
    Bounds3 jar = WorldBounds(*p.jar), surface = WorldBounds(*p.surface), solid = WorldBounds(*p.solid);
    double floor = solid.Empty() ? surface.max.y - 2.5 : solid.max.y;
    s.pots.push_back({p.ingredient, GroundOf(*p.jar), jar.max.y, surface.max.y, floor});
    s.highest = std::max<double>(s.highest, jar.max.y);
  }

  const float cupWanted[] = {0, g.orderCupCoffee, g.orderCupMilk, g.orderCupSugar};
  const float glassWanted[] = {0, g.orderGlassCoffee, g.orderGlassMilk, g.orderGlassSugar};
  if (g.orderCupCoffee > 0)
    s.vessels.push_back({true, GroundOf(objects.cupFrame), WorldBounds(objects.cupFrame).max.y, 12.4,
                         {0, cupWanted[1], cupWanted[2], cupWanted[3]}});
  if (g.orderGlassCoffee > 0)
    s.vessels.push_back({false, GroundOf(objects.glassFrame), WorldBounds(objects.glassFrame).max.y, 10.9,
                         {0, glassWanted[1], glassWanted[2], glassWanted[3]}});
  for (const Vessel& v : s.vessels) s.highest = std::max(s.highest, v.rim);
  return s;
}

}  // namespace autopilot

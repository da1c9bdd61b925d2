#include "autopilot/stage_layout.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "core/game_state.h"
#include "platform/rm/portable_math.h"
#include "scene/ingredient_frames.h"

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
  if (f) f->GetPosition(objects.sceneRoot.get(), &p).Ignore(scene::kPoseResultUnused);
  return {p.x, p.z};
}

bool OnStage(const scene::Ref<scene::Frame>& f) {
  Vec3 p;
  return f && f->GetPosition(objects.sceneRoot.get(), &p).Succeeded() && p.y < kOnStage;
}

// The pot's wall as met on the side that faces `toward`: the top of the
// vertices within kSector of that side, and their radii at that top. A spout
// or handle elsewhere on the pot does not count.
constexpr double kSector = 0.6;  // radians either side
void MeasureWall(const scene::Ref<scene::Frame>& frame, Ground toward, Pot& pot) {
  if (!frame || Length(toward) < 1e-6) return;
  const Ground dir = Unit(toward);
  std::vector<Vec3> near;
  for (const auto& visual : frame->Visuals()) {
    const platform::rm::MeshBuilder* mesh = visual->AsMesh();
    if (!mesh) continue;
    for (const Vec3& local : mesh->Positions()) {
      Vec3 p = frame->Transform(local);
      Ground off = Ground{p.x, p.z} - pot.axis;
      double r = Length(off);
      if (r > 1 && Dot(off, dir) >= r * platform::rm::Cos(kSector)) near.push_back(p);
    }
  }
  if (near.empty()) return;
  double top = -1e9;
  for (const Vec3& p : near) top = std::max<double>(top, p.y);
  double inner = 1e9, outer = 0;
  for (const Vec3& p : near) {
    if (p.y < top - 0.05) continue;
    double r = Length(Ground{p.x, p.z} - pot.axis);
    inner = std::min(inner, r);
    outer = std::max(outer, r);
  }
  pot.rim = top;
  pot.outer = outer;
  pot.inner = std::min(inner, outer - 0.3);
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
      Grow(b, frame->Transform(
                  {c & 1 ? box.max.x : box.min.x, c & 2 ? box.max.y : box.min.y, c & 4 ? box.max.z : box.min.z}));
  }
  return b;
}

float Poured(bool cup, int ingredient) {
  const game::GameState& g = game::gameState;
  if (ingredient < 1 || ingredient > 3) return 0;
  return (cup ? g.cup : g.glass)[static_cast<game::Ingredient>(ingredient)];
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
  if (objects.tableCorner[2])
    objects.tableCorner[2]->GetPosition(objects.sceneRoot.get(), &a).Ignore(scene::kPoseResultUnused);
  if (objects.tableCorner[3])
    objects.tableCorner[3]->GetPosition(objects.sceneRoot.get(), &b).Ignore(scene::kPoseResultUnused);
  s.table = {a.x, a.z, b.x, b.z};

  for (auto* f : {&objects.dish1Frame, &objects.dish2Frame, &objects.dish3Frame, &objects.cakeFrame,
                  &objects.cake2Frame, &objects.spoonFrame}) {
    if (!OnStage(*f)) continue;
    Bounds3 box = WorldBounds(*f);
    if (!box.Empty()) s.obstacles.push_back({box.min.x, box.min.z, box.max.x, box.max.z});
  }

  for (game::Ingredient ingredient : game::kIngredients) {
    const scene::IngredientFrames p = scene::FramesOf(ingredient);
    if (!OnStage(*p.pot)) continue;
    Bounds3 jar = WorldBounds(*p.pot), surface = WorldBounds(*p.surface), solid = WorldBounds(*p.floor);
    double floor = solid.Empty() ? surface.max.y - 2.5 : solid.max.y;
    Pot pot{static_cast<int>(ingredient), GroundOf(*p.pot), jar.max.y, surface.max.y, floor};
    pot.outer = std::max(jar.max.x - jar.min.x, jar.max.z - jar.min.z) / 2;
    pot.inner = std::min(pot.inner, pot.outer - 0.5);
    // The excavator meets the pot from the table's nearest edge.
    Ground edge{std::clamp(pot.axis.x, s.table.x0, s.table.x1), std::clamp(pot.axis.z, s.table.z0, s.table.z1)};
    MeasureWall(*p.pot, edge - pot.axis, pot);
    s.pots.push_back(pot);
    s.highest = std::max<double>(s.highest, jar.max.y);
  }

  const auto wanted = [](const game::IngredientAmounts& order) {
    std::array<float, 4> byCode{};
    for (game::Ingredient i : game::kIngredients) byCode[static_cast<std::size_t>(i)] = order[i];
    return byCode;
  };
  if (game::InPlay(g.orderCup))
    s.vessels.push_back(
        {true, GroundOf(objects.cupFrame), WorldBounds(objects.cupFrame).max.y, 12.4, wanted(g.orderCup)});
  if (game::InPlay(g.orderGlass))
    s.vessels.push_back(
        {false, GroundOf(objects.glassFrame), WorldBounds(objects.glassFrame).max.y, 10.9, wanted(g.orderGlass)});
  for (const Vessel& v : s.vessels) s.highest = std::max(s.highest, v.rim);
  return s;
}

}  // namespace autopilot

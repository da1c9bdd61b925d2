#include "game/stages.h"

#include <array>

#include "core/game_state.h"
#include "game/orders.h"
#include "game/scoop_and_pour.h"
#include "scene/place.h"
#include "scene/scene_objects.h"
#include "vexel/vexel.h"

namespace game {

using platform::rm::Vec3;
using scene::Frame;
using scene::objects;
using scene::Orient;
using scene::Place;
using scene::Ref;
using scene::SceneObjects;

namespace {

using FrameSlot = Ref<Frame> SceneObjects::*;

struct XZ {
  float x, z;
};

// Dishes, cakes and the spoon keep their table x and z; off the table they
// wait high above it.
struct Obstacle {
  FrameSlot frame;
  float x, z, parkedY;
};
constexpr std::array<Obstacle, 6> kObstacles = {{
    {&SceneObjects::dish1Frame, 4, 55, 2000},
    {&SceneObjects::dish2Frame, -20, 20, 2000},
    {&SceneObjects::dish3Frame, 25, 28, 2000},
    {&SceneObjects::cakeFrame, 2, 55, 2001},
    {&SceneObjects::cake2Frame, -22, 20, 2001},
    {&SceneObjects::spoonFrame, 14, 20, 2001},
}};
enum : unsigned { kDish1 = 1, kDish2 = 2, kDish3 = 4, kCake = 8, kCake2 = 16, kSpoon = 32 };

constexpr float kTableOnY = -30, kTableParkedY = 4970, kObstacleOnY = 1;
constexpr float kPotY = -30, kCoffeeRDrop = 2;

// One column of the stage table; the milk and sugar pots, cup and glass
// carry their full position because the unused ones are parked.
struct Layout {
  FrameSlot table;
  Vec3 stageCentre;
  XZ coffeePot;
  Vec3 milkPot, sugarPot;
  Vec3 chassis;
  std::array<XZ, 4> corners;
  Vec3 cupInPlay, cupOutOfPlay, glassInPlay, glassOutOfPlay;
  unsigned obstacles;
};

// Stages 4 and 5 share table, pots and vessels; only the obstacles differ.
constexpr Layout kStage4 = {&SceneObjects::tableDFrame,
                            {0, 0, 50},
                            {-62, 35},
                            {62, -30, 45},
                            {0, -33, 98},
                            {5, 0.1f, 10},
                            {{{45, -3}, {-45, -3}, {45, 81}, {-45, 81}}},
                            {-18, -21, -20},
                            {-18, -7, -20},
                            {18, -20, -20},
                            {18, 5, -20},
                            kDish1 | kCake | kSpoon};

constexpr Layout WithObstacles(Layout l, unsigned obstacles) {
  l.obstacles = obstacles;
  return l;
}

constexpr std::array<Layout, 5> kLayouts = {{
    {&SceneObjects::tableAFrame,
     {-5, 0, 50},
     {-50, 50},
     {62, 4970, 45},
     {0, 4967, 98},
     {-5, 0.1f, 50},
     {{{30, 22}, {-35, 22}, {30, 81}, {-35, 81}}},
     {45, -21, 50},
     {45, -7, 50},
     {18, 4980, -20},
     {18, 5005, -20},
     0},
    {&SceneObjects::tableBFrame,
     {0, 0, 50},
     {-58, 50},
     {62, 4970, 45},
     {0, 4967, 98},
     {-5, 0.1f, 50},
     {{{38, 21}, {-42.5f, 21}, {38, 81}, {-42.5f, 80}}},
     {16, -21, 96},
     {16, -7, 96},
     {-20, -20, 95},
     {-20, 5, 95},
     0},
    {&SceneObjects::tableCFrame,
     {0, 0, 50},
     {-51, 60},
     {-51, -30, 24},
     {-8, -33, 98},
     {-5, 0.1f, 50},
     {{{18.5f, 3}, {-35, 3}, {18.5f, 80}, {-35, 80}}},
     {35, -21, 58},
     {35, -7, 58},
     {33, -20, 22},
     {33, 5, 22},
     0},
    kStage4,
    WithObstacles(kStage4, kDish1 | kDish2 | kDish3 | kCake | kCake2),
}};

constexpr std::array<FrameSlot, 4> kTables = {&SceneObjects::tableAFrame, &SceneObjects::tableBFrame,
                                              &SceneObjects::tableCFrame, &SceneObjects::tableDFrame};

void PlaceAll(std::initializer_list<const Ref<Frame>*> frames, Vec3 p) {
  for (const Ref<Frame>* f : frames) Place(*f, objects.sceneRoot, p);
}

void PlacePots(const Layout& l) {
  const Vec3 coffee{l.coffeePot.x, kPotY, l.coffeePot.z};
  // The jar first: the cover frame and the cr.x part hang from it.
  PlaceAll({&objects.coffeeJarFrame, &objects.coffeeInFrame, &objects.coffeeIn2Frame, &objects.coffeeMarkFrame},
           coffee);
  Place(objects.coffeeRFrame, objects.sceneRoot, {coffee.x, coffee.y - kCoffeeRDrop, coffee.z});
  PlaceAll(
      {&objects.milkJarFrame, &objects.milkMarkFrame, &objects.milkInFrame, &objects.milkIn2Frame, &objects.milkRFrame},
      l.milkPot);
  PlaceAll({&objects.sugarJarFrame, &objects.sugarInFrame, &objects.sugarIn2Frame, &objects.sugarLowFrame,
            &objects.sugarMidFrame, &objects.sugarMarkFrame},
           l.sugarPot);
}

// A vessel out of play stands upside down: the player sees at once which
// vessels the order wants.
void PlaceVessel(const Ref<Frame>& vessel, bool inPlay, Vec3 upright, Vec3 upsideDown) {
  Place(vessel, objects.sceneRoot, inPlay ? upright : upsideDown);
  Orient(vessel, objects.sceneRoot, {1, 0, 0}, {0, inPlay ? 1.0f : -1.0f, 0});
}

// Every joint at rest, the front toward -z.
void AssembleExcavator(Vec3 chassis) {
  const Ref<Frame>& root = objects.sceneRoot;
  const Vec3 along{0, 0, 1}, up{0, 1, 0};
  Orient(objects.baseFrame, root, along, up);
  Place(objects.baseFrame, root, chassis);
  struct Joint {
    const Ref<Frame>* frame;
    const Ref<Frame>* parent;
    Vec3 offset;
  };
  const Joint joints[] = {{&objects.bodyFrame, &objects.baseFrame, {0, 3, 0}},
                          {&objects.arm1Frame, &objects.bodyFrame, {0, 0, -2}},
                          {&objects.arm2Frame, &objects.arm1Frame, {0, 11.5f, -7.4f}},
                          {&objects.bucketFrame, &objects.arm2Frame, {0, 0.1f, -7.7f}}};
  for (const Joint& j : joints) {
    Orient(*j.frame, root, along, up);
    Place(*j.frame, *j.parent, j.offset);
  }
  for (const Ref<Frame>* tire : {&objects.tireFrontLeftFrame, &objects.tireRearLeftFrame, &objects.tireFrontRightFrame,
                                 &objects.tireRearRightFrame})
    Orient(*tire, objects.baseFrame, along, up);
}

void StartStage(int stage) {
  GameState& g = gameState;
  g.stageNumber = stage;
  g.cameraIndex = 8;
  g.resultPhase = ScreenPhase::Off;
  NewOrder();
}

}  // namespace

void UseResultCamera() {
  if (vexel::vexelContext.viewport && objects.resultCamera)
    vexel::vexelContext.viewport->SetCamera(objects.resultCamera).Ignore(scene::kCameraResultUnused);
}

bool PlaceStageProps(int stage) {
  if (stage < 1 || stage > 5 || !objects.sceneRoot) return false;
  const Layout& l = kLayouts[stage - 1];
  const GameState& g = gameState;
  const Ref<Frame>& root = objects.sceneRoot;

  for (FrameSlot table : kTables) Place(objects.*table, root, {0, table == l.table ? kTableOnY : kTableParkedY, 40});
  Place(objects.stageCenterFrame, root, l.stageCentre);
  PlacePots(l);
  for (int i = 0; i < 4; ++i) Place(objects.tableCorner[i + 1], root, {l.corners[i].x, 0, l.corners[i].z});
  PlaceVessel(objects.cupFrame, InPlay(g.orderCup), l.cupInPlay, l.cupOutOfPlay);
  PlaceVessel(objects.glassFrame, InPlay(g.orderGlass), l.glassInPlay, l.glassOutOfPlay);
  for (std::size_t i = 0; i < kObstacles.size(); ++i) {
    const Obstacle& o = kObstacles[i];
    bool onTable = (l.obstacles & (1u << i)) != 0;
    Place(objects.*o.frame, root, {o.x, onTable ? kObstacleOnY : o.parkedY, o.z});
  }
  AssembleExcavator(l.chassis);
  // After the excavator: the heaps hang from the upper structure.
  HideCarriedHeaps();
  return true;
}

void AdvanceStageFromResult() {
  GameState& g = gameState;
  if (g.stageNumber >= 5) {
    g.allClearedPhase = ScreenPhase::Entering;
    return;
  }
  int next = g.stageNumber + 1;
  StartStage(next == 3 ? 5 : next);
}

void AdvanceStageFromReplay() {
  GameState& g = gameState;
  if (g.stageNumber >= 5) {
    g.allClearedPhase = ScreenPhase::Entering;
    UseResultCamera();
    return;
  }
  StartStage(g.stageNumber + 1);
}

}  // namespace game

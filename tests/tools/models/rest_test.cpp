// The built models where the game puts them: in every layout, on the result
// screen and on All Cleared, each vessel, dish, cake and spoon rests on what
// is under it (its stand, the table, its dish, or the floor the showcase
// stands on), and the showcase camera aims at the drinks.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include "core/game_state.h"
#include "game/screens.h"
#include "game/stages.h"
#include "model_files.h"
#include "platform/rm/mesh_builder.h"
#include "platform/rm/ray_pick.h"
#include "support/built_scene.h"
#include "support/succeeds.h"

namespace model_test {
namespace {

using game::gameState;
using game::Ingredient;
using scene::Frame;
using scene::objects;
using scene::Ref;
using scene::SceneObjects;
using Slot = Ref<Frame> SceneObjects::*;

class Resting : public test_support::BuiltScene {
 protected:
  void SetUp() override {
    // The scene loads the models by name from the working folder.
    std::filesystem::current_path(ZARN_RUN_DIR);
    BuiltScene::SetUp();
  }
};

// Every vertex of the frame's meshes, in world coordinates.
Box3 WorldBox(const Ref<Frame>& f) {
  Box3 b;
  for (const auto& visual : f->Visuals())
    if (const platform::rm::MeshBuilder* mesh = visual->AsMesh())
      for (Vec3 p : mesh->Positions()) b.Add(f->Transform(p));
  return b;
}

bool Empty(const Box3& b) { return b.min.x > b.max.x; }

// The highest surface of `support` over (x, z).
bool TopOf(const Ref<Frame>& support, float x, float z, float* top) {
  std::vector<platform::rm::Pick> picks;
  EXPECT_OK(support->RayPick(objects.sceneRoot.get(), {{x, 10000, z}, {0, -1, 0}}, 0, &picks));
  if (picks.empty()) return false;
  *top = picks.front().position.y;
  return true;
}

// A thing and what it stands on; no support: the stage's table, or in a
// showcase the floor under the dishes (no mesh; the lowest bottom there).
struct On {
  const char* name;
  Slot thing;
  Slot support = nullptr;
};

struct Setting {
  std::string name;
  bool cup, glass;  // the vessels of the order
  int stage;        // the layout, and before a showcase the stage just played
  enum { kLayout, kResult, kAllCleared } screen;
};

TEST_F(Resting, PropsRestOnTheirSupportsAndTheShowcaseCameraAimsAtTheDrinks) {
  const std::vector<On> kOnStage = {{"cup", &SceneObjects::cupFrame},
                                    {"glass", &SceneObjects::glassFrame},
                                    {"dish1", &SceneObjects::dish1Frame},
                                    {"dish2", &SceneObjects::dish2Frame},
                                    {"dish3", &SceneObjects::dish3Frame},
                                    {"spoon", &SceneObjects::spoonFrame},
                                    {"cake", &SceneObjects::cakeFrame, &SceneObjects::dish1Frame},
                                    {"cake2", &SceneObjects::cake2Frame, &SceneObjects::dish2Frame}};
  const std::vector<On> kShowcase = {{"cup", &SceneObjects::cupFrame, &SceneObjects::dish1Frame},
                                     {"cake", &SceneObjects::cakeFrame, &SceneObjects::dish2Frame},
                                     {"cake2", &SceneObjects::cake2Frame, &SceneObjects::dish3Frame},
                                     {"dish1", &SceneObjects::dish1Frame},
                                     {"dish2", &SceneObjects::dish2Frame},
                                     {"dish3", &SceneObjects::dish3Frame},
                                     {"glass", &SceneObjects::glassFrame},
                                     {"spoon", &SceneObjects::spoonFrame}};
  std::vector<Setting> settings;
  for (int stage = 1; stage <= 5; ++stage)
    for (auto [cup, glass] : {std::pair{true, false}, {false, true}, {true, true}})
      settings.push_back({"stage " + std::to_string(stage) + (cup ? " cup" : "") + (glass ? " glass" : ""), cup, glass,
                          stage, Setting::kLayout});
  for (auto [cup, glass] : {std::pair{true, false}, {false, true}, {true, true}})
    settings.push_back(
        {std::string("result") + (cup ? " cup" : "") + (glass ? " glass" : ""), cup, glass, 3, Setting::kResult});
  settings.push_back({"All Cleared", true, true, 5, Setting::kAllCleared});

  for (const Setting& s : settings) {
    SCOPED_TRACE(s.name);
    gameState.orderCup[Ingredient::Coffee] = s.cup ? 100 : 0;
    gameState.orderGlass[Ingredient::Coffee] = s.glass ? 100 : 0;
    ASSERT_TRUE(game::PlaceStageProps(s.stage));
    const bool showcase = s.screen != Setting::kLayout;
    if (s.screen == Setting::kResult) {
      gameState.resultPhase = game::ScreenPhase::Entering;
      game::RunResultScreen();
    } else if (s.screen == Setting::kAllCleared) {
      gameState.resultPhase = game::ScreenPhase::Showing;
      gameState.allClearedPhase = game::ScreenPhase::Entering;
      game::RunAllCleared();
    }
    // What this setting shows: on a stage whatever is not parked above it,
    // in a showcase whatever was brought down below the table.
    auto shown = [&](const Ref<Frame>& f) {
      const Box3 b = WorldBox(f);
      return !Empty(b) && (showcase ? b.max.y < -100 : b.max.y < 500);
    };
    Ref<Frame> table;
    for (Slot t : {&SceneObjects::tableAFrame, &SceneObjects::tableBFrame, &SceneObjects::tableCFrame,
                   &SceneObjects::tableDFrame})
      if (shown(objects.*t)) table = objects.*t;
    ASSERT_TRUE(showcase || table) << "the models are missing from " << ZARN_RUN_DIR;

    float floor = 1e30f;
    for (const On& on : showcase ? kShowcase : kOnStage)
      if (!on.support && shown(objects.*on.thing)) floor = std::min(floor, WorldBox(objects.*on.thing).min.y);
    for (const On& on : showcase ? kShowcase : kOnStage) {
      const Ref<Frame>& thing = objects.*on.thing;
      if (!shown(thing)) continue;
      const Box3 box = WorldBox(thing);
      float under = floor;
      const Ref<Frame>& support = on.support ? objects.*on.support : table;
      if (support) {
        const float x = (box.min.x + box.max.x) / 2, z = (box.min.z + box.max.z) / 2;
        ASSERT_TRUE(TopOf(support, x, z, &under)) << on.name << " has nothing under it";
      }
      EXPECT_LT(std::fabs(box.min.y - under), 1) << on.name << " bottom " << box.min.y << ", support " << under;
    }
    // The vessels of the order are on show, and the camera aims inside them.
    if (showcase) {
      Box3 drinks;
      for (auto [inPlay, vessel] : {std::pair{s.cup, &SceneObjects::cupFrame}, {s.glass, &SceneObjects::glassFrame}})
        if (inPlay || s.screen == Setting::kAllCleared) {
          EXPECT_TRUE(shown(objects.*vessel));
          drinks.Add(WorldBox(objects.*vessel).min);
          drinks.Add(WorldBox(objects.*vessel).max);
        }
      Vec3 target;
      EXPECT_OK(objects.resultTargetFrame->GetPosition(objects.sceneRoot.get(), &target));
      for (auto [p, lo, hi] : {std::tuple{target.x, drinks.min.x, drinks.max.x},
                               {target.y, drinks.min.y, drinks.max.y},
                               {target.z, drinks.min.z, drinks.max.z}})
        EXPECT_TRUE(lo < p && p < hi) << "target " << p << " outside " << lo << ".." << hi;
    }
  }
}

}  // namespace
}  // namespace model_test

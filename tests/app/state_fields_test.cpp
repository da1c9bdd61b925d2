#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "core/game_state_fields.h"

namespace {

// Every field the table shows, by name, as the numbers the state file and
// the trail carry.
class Collect final : public game::FieldVisitor {
 public:
  std::map<std::string, std::vector<double>> fields;
  std::vector<std::string> order;
  void Int(std::string_view n, std::int32_t v) override { Add(n, {double(v)}); }
  void Float(std::string_view n, float v) override { Add(n, {v}); }
  void IntArray(std::string_view n, std::span<const std::int32_t> v) override { Add(n, {v.begin(), v.end()}); }
  void FloatArray(std::string_view n, std::span<const float> v) override { Add(n, {v.begin(), v.end()}); }

 private:
  void Add(std::string_view n, std::vector<double> v) {
    order.emplace_back(n);
    fields[std::string(n)] = std::move(v);
  }
};

}  // namespace

// The record keeps flags as bools, phases and the bucket's ingredient as
// enums and amounts by ingredient; the table must still show each under its
// own name as the code it always had.
TEST(StateFields, TypedFieldsShowTheirCodesUnderTheirOwnNames) {
  using game::Ingredient;
  game::GameState s;
  s.titlePhase = game::TitlePhase::Menu;
  s.fallPhase = game::FallPhase::Falling;
  s.orderDonePhase = game::OrderDonePhase::Shown;
  s.calibrationPhase = game::CalibrationPhase::Finished;
  s.bucketDipped = s.solidHit = true;
  s.musicEnabled = false;
  s.buttonDown[3] = true;
  s.bucketIngredient = Ingredient::Sugar;
  s.cup[Ingredient::Milk] = 5;
  s.glass[Ingredient::Sugar] = 7;
  s.orderCup[Ingredient::Coffee] = 100;
  s.orderGlass[Ingredient::Milk] = 200;
  Collect c;
  game::VisitFields(s, c);

  EXPECT_EQ(c.order.size(), c.fields.size()) << "a name is shown twice";
  const std::map<std::string, double> expected = {
      {"titlePhase", 6},       {"fallPhase", 2},        {"orderDonePhase", 1},   {"calibrationPhase", 3},
      {"bucketDipped", 1},     {"solidHit", 1},         {"coincidentHit", 0},    {"musicEnabled", 0},
      {"bucketIngredient", 3}, {"cupMilk", 5},          {"cupSugar", 0},         {"glassSugar", 7},
      {"glassMilk", 0},        {"orderCupCoffee", 100}, {"orderGlassMilk", 200}, {"orderGlassSugar", 0}};
  for (const auto& [name, value] : expected) EXPECT_EQ(c.fields[name], std::vector<double>{value}) << name;
  EXPECT_EQ(c.fields["buttonDown"], (std::vector<double>{0, 0, 1, 0, 0, 0, 0, 0})) << "slots 1..8";
}

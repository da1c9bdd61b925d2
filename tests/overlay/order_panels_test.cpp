#include <tuple>
#include "overlay/order_check.h"

#include "overlay_screen.h"

namespace overlay_test {
namespace {

using game::gameState;
using game::Ingredient;
constexpr int kCyan = 2, kYellow = 3, kWhite = 4, kRed = 5;
constexpr int kSpace = platform::os::vk::kSpace;

class OrderPanels : public OverlayScreen {
 protected:
  void SetUp() override {
    StartUp();
    gameState.titlePhase = game::TitlePhase::Off;
    gameState.orderCup[Ingredient::Coffee] = 100;
  }
};

TEST_F(OrderPanels, GradesAndScore) {
  using overlay::FillRow;
  const std::tuple<float, int, int> rows[] = {{49.9f, 100, kYellow},  {50, 100, kWhite}, {150, 100, kYellow},
                                              {249.9f, 100, kYellow}, {250, 100, kRed},  {0, 0, kWhite}};
  for (auto [amount, order, row] : rows) EXPECT_EQ(FillRow(amount, order), row) << amount << " of " << order;
  const overlay::OrderGrade mixed = overlay::GradeOrder({kYellow, kWhite, kYellow, kWhite, kRed, kWhite});
  EXPECT_EQ(overlay::OrderScore(mixed.count), 50);
  EXPECT_EQ(mixed.promptRow, kRed);
  EXPECT_EQ(overlay::GradeOrder({kWhite, kYellow, kWhite, kWhite, kWhite, kWhite}).promptRow, kYellow);
  EXPECT_EQ(overlay::OrderScore(overlay::GradeOrder({kRed, kRed, kRed, kRed, kRed, kRed}).count), -80);
}

TEST_F(OrderPanels, CupOnlyOrderDrawsOnePanelAndCountsTheGlassAsFilled) {
  gameState.orderCup[Ingredient::Milk] = 200;
  gameState.cup[Ingredient::Coffee] = 75.9f;
  gameState.cup[Ingredient::Milk] = 120.5f;
  overlay::DrawOverlay();
  ExpectTexts({{kCyan, 80, 30, "SHOBEL"},
               {kCyan, 160, 30, "CUP"},
               {kCyan, 220, 30, "ORDER"},
               {kCyan, 20, 90, "MILK"},
               {kCyan, 120, 60, "0"},
               {kWhite, 180, 60, "75"},
               {kYellow, 180, 90, "120"},
               {kCyan, 240, 90, "200"}});
  EXPECT_FALSE(Untouched(10, 20, 280, 145)) << "the checker";
  EXPECT_TRUE(Untouched(282, 0, 800, 600)) << "no glass panel, no prompt";
  gameState.cup[Ingredient::Milk] = 150;
  overlay::DrawOverlay();
  EXPECT_EQ(gameState.orderDonePhase, game::OrderDonePhase::Shown);
  EXPECT_TRUE(TextAt(kWhite, 302, 360, "[P U S H  S P A C E]"));
}

TEST_F(OrderPanels, GlassPanelBucketColumnAndReadout) {
  gameState.orderGlass[Ingredient::Coffee] = 300;
  gameState.orderGlass[Ingredient::Sugar] = 100;
  gameState.glass[Ingredient::Sugar] = 260;
  gameState.bucketDipped = true;
  gameState.bucketIngredient = Ingredient::Sugar;
  gameState.bucketAmount = 387.6f;
  overlay::DrawOverlay();
  ExpectTexts({{kCyan, 650, 30, "GLASS"},
               {kRed, 680, 120, "260"},
               {kCyan, 740, 60, "300"},
               {kCyan, 120, 90, "0"},
               {kCyan, 120, 120, "387"},
               {kCyan, 620, 90, "0"},
               {kCyan, 620, 120, "387"},
               {kWhite, 246, 300, "387"}});
}

TEST_F(OrderPanels, SpaceEndsTheOrderOnlyAfterThePromptCame) {
  gameState.orderCup[Ingredient::Milk] = gameState.orderCup[Ingredient::Sugar] = 100;
  gameState.cup[Ingredient::Coffee] = 60;
  gameState.cup[Ingredient::Milk] = 170;
  gameState.cup[Ingredient::Sugar] = 260;
  gameState.buttonDown[1] = true;  // no joystick equivalent
  overlay::DrawOverlay();
  EXPECT_EQ(gameState.resultPhase, game::ScreenPhase::Off);
  Hold(kSpace);
  gameState.orderDonePhase = game::OrderDonePhase::Hidden;  // the hidden half of the blink
  gameState.resultCountTicks = 9;
  overlay::DrawOverlay();
  EXPECT_EQ(gameState.resultPhase, game::ScreenPhase::Entering);
  EXPECT_EQ(gameState.orderScore, 60);
  EXPECT_EQ(gameState.resultCountTicks, 0);
  gameState.resultPhase = game::ScreenPhase::Off;
  gameState.orderDonePhase = game::OrderDonePhase::Waiting;
  gameState.cup[Ingredient::Coffee] = 49;
  overlay::DrawOverlay();
  EXPECT_EQ(gameState.resultPhase, game::ScreenPhase::Off) << "not filled";
}

}  // namespace
}  // namespace overlay_test

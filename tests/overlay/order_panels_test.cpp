#include "app/timers.h"
#include "overlay/order_check.h"
#include "overlay_screen.h"

namespace overlay_test {

namespace {

using game::gameState;
using overlay::FillRow;
namespace os = platform::os;

constexpr int kYellow = 3, kWhite = 4, kRed = 5, kCyan = 2;

class OrderPanels : public OverlayScreen {
 protected:
  void SetUp() override {
    StartUp();
    gameState.titlePhase = 0;  // playing
  }
  void TearDown() override {
    Hold(os::vk::kSpace, false);
    OverlayScreen::TearDown();
  }
  static void CupOrder(float coffee, float milk, float sugar) {
    gameState.orderCupCoffee = coffee;
    gameState.orderCupMilk = milk;
    gameState.orderCupSugar = sugar;
  }
  static bool PromptShown() { return BackPixel(303, 361) == 0; }  // the black bar's corner
};

TEST_F(OrderPanels, FillRowsAtTheirBoundaries) {
  EXPECT_EQ(FillRow(49.9f, 100), kYellow) << "not enough yet";
  EXPECT_EQ(FillRow(50, 100), kWhite) << "exactly o - 50";
  EXPECT_EQ(FillRow(149.9f, 100), kWhite);
  EXPECT_EQ(FillRow(150, 100), kYellow) << "exactly o + 50";
  EXPECT_EQ(FillRow(249.9f, 100), kYellow);
  EXPECT_EQ(FillRow(250, 100), kRed) << "exactly o + 150";
  EXPECT_EQ(FillRow(0, 0), kWhite) << "nothing ordered, nothing poured";
}

TEST_F(OrderPanels, ScoreLosesTenPerYellowAndThirtyPerRed) {
  using overlay::GradeOrder;
  using overlay::OrderScore;
  overlay::OrderGrade g = GradeOrder({kWhite, kWhite, kWhite, kWhite, kWhite, kWhite});
  EXPECT_EQ(OrderScore(g.count), 100);
  EXPECT_EQ(g.promptRow, kWhite);
  g = GradeOrder({kYellow, kWhite, kYellow, kWhite, kRed, kWhite});
  EXPECT_EQ(OrderScore(g.count), 50);
  EXPECT_EQ(g.promptRow, kRed);
  g = GradeOrder({kWhite, kYellow, kWhite, kWhite, kWhite, kWhite});
  EXPECT_EQ(OrderScore(g.count), 90);
  EXPECT_EQ(g.promptRow, kYellow);
  g = GradeOrder({kRed, kRed, kRed, kRed, kRed, kRed});
  EXPECT_EQ(OrderScore(g.count), -80);
}

TEST_F(OrderPanels, CupOnlyOrderDrawsOneGradedPanelAndCountsTheGlassAsFilled) {
  CupOrder(100, 200, 0);
  gameState.cupCoffee = 75.9f;   // white
  gameState.cupMilk = 120.5f;    // yellow, short
  gameState.cupSugar = 0;        // white
  overlay::DrawOverlay();
  EXPECT_TRUE(TextAt(kCyan, 80, 30, "SHOBEL"));
  EXPECT_TRUE(TextAt(kCyan, 160, 30, "CUP"));
  EXPECT_TRUE(TextAt(kCyan, 220, 30, "ORDER"));
  EXPECT_TRUE(TextAt(kCyan, 20, 60, "COFFEE"));
  EXPECT_TRUE(TextAt(kCyan, 20, 90, "MILK"));
  EXPECT_TRUE(TextAt(kCyan, 20, 120, "SUGAR"));
  EXPECT_TRUE(TextAt(kCyan, 120, 60, "0"));
  EXPECT_TRUE(TextAt(kWhite, 180, 60, "75")) << "poured, truncated, in its grade";
  EXPECT_TRUE(TextAt(kYellow, 180, 90, "120"));
  EXPECT_TRUE(TextAt(kWhite, 180, 120, "0"));
  EXPECT_TRUE(TextAt(kCyan, 240, 90, "200"));
  EXPECT_FALSE(Untouched(10, 20, 280, 145)) << "the checker shows";
  EXPECT_TRUE(Untouched(282, 0, 800, 300)) << "no glass panel";
  EXPECT_EQ(gameState.orderDonePhase, 0) << "milk still short";

  gameState.cupMilk = 150;  // within 50 of the order now: filled
  ClearBack();
  overlay::DrawOverlay();
  EXPECT_EQ(gameState.orderDonePhase, 1);
  EXPECT_TRUE(TextAt(kWhite, 302, 360, "[P U S H  S P A C E]"));
}

TEST_F(OrderPanels, GlassPanelAndTheBucketColumnInBothPanels) {
  CupOrder(100, 0, 0);
  gameState.orderGlassCoffee = 300;
  gameState.orderGlassSugar = 100;
  gameState.glassSugar = 260;  // red
  gameState.bucketDipped = 1;
  gameState.bucketIngredient = 3;
  gameState.bucketAmount = 387.6f;
  overlay::DrawOverlay();
  EXPECT_TRUE(TextAt(kCyan, 580, 30, "SHOBEL"));
  EXPECT_TRUE(TextAt(kCyan, 650, 30, "GLASS"));
  EXPECT_TRUE(TextAt(kCyan, 720, 30, "ORDER"));
  EXPECT_TRUE(TextAt(kCyan, 520, 120, "SUGAR"));
  EXPECT_TRUE(TextAt(kRed, 680, 120, "260"));
  EXPECT_TRUE(TextAt(kCyan, 740, 60, "300"));
  for (int x : {120, 620}) {
    EXPECT_TRUE(TextAt(kCyan, x, 60, "0"));
    EXPECT_TRUE(TextAt(kCyan, x, 90, "0"));
    EXPECT_TRUE(TextAt(kCyan, x, 120, "387")) << "the bucket's ingredient row";
  }
  EXPECT_TRUE(TextAt(kWhite, 246, 300, "387"));

  gameState.bucketDipped = 0;
  ClearBack();
  overlay::DrawOverlay();
  EXPECT_TRUE(TextAt(kCyan, 120, 120, "0"));
  EXPECT_TRUE(Untouched(240, 295, 290, 320)) << "no readout with an empty bucket";
}

TEST_F(OrderPanels, NothingOutsidePlayAndTheMenuLineOnTheTitle) {
  CupOrder(100, 0, 0);
  gameState.cupCoffee = 100;
  for (auto set : {+[] { gameState.fallPhase = 2; }, +[] { gameState.attractDemoActive = 1; },
                   +[] { gameState.titlePhase = 3; }}) {
    gameState.fallPhase = gameState.attractDemoActive = gameState.titlePhase = 0;
    set();
    overlay::DrawOverlay();
    EXPECT_TRUE(Untouched(0, 0, 800, 600));
    EXPECT_EQ(gameState.orderDonePhase, 0) << "no order check either";
  }
  gameState.titlePhase = 6;
  gameState.speedFactor = 2.5f;
  overlay::DrawOverlay();
  EXPECT_TRUE(TextAt(kWhite, 5, 540, "[ENTER]START [J]JOYSTICK [UP][DOWN]SPEED="));
  EXPECT_TRUE(TextAt(kWhite, 420, 540, "50"));
  EXPECT_TRUE(Untouched(0, 0, 800, 530));
}

TEST_F(OrderPanels, PromptBlinksAndChimesWhileTheOrderStaysFilled) {
  CupOrder(100, 0, 0);
  gameState.cupCoffee = 100;
  std::vector<int> phases;
  std::vector<bool> shown;
  for (int turn = 0; turn < 240; ++turn) {  // 4 s at 60 turns a second
    Turn([] {
      ClearBack();
      overlay::DrawOverlay();
    });
    phases.push_back(gameState.orderDonePhase);
    shown.push_back(PromptShown());
  }
  for (std::size_t i = 0; i < phases.size(); ++i) EXPECT_EQ(shown[i], phases[i] == 1) << i;
  // 800 ms on, 1000 ms off, then on again at once.
  auto count = [&](int from, int to, int phase) {
    return std::count(phases.begin() + from, phases.begin() + to, phase);
  };
  EXPECT_EQ(phases.front(), 1);
  EXPECT_NEAR(count(0, 108, 1), 48, 1);
  EXPECT_NEAR(count(0, 108, 2), 60, 1);
  EXPECT_EQ(phases[110], 1) << "shown again";
  EXPECT_EQ(std::count(phases.begin(), phases.end(), 0), 0) << "phase 0 lasts no frame while filled";
}

TEST_F(OrderPanels, SpaceEndsTheOrderOnlyOnceThePromptHasBeenUp) {
  CupOrder(100, 100, 100);
  gameState.cupCoffee = 60;   // white
  gameState.cupMilk = 170;    // yellow
  gameState.cupSugar = 260;   // red
  Hold(os::vk::kSpace, true);
  gameState.orderDonePhase = 2;  // in the hidden half of the blink
  gameState.resultCountTicks = 9;
  overlay::DrawOverlay();
  EXPECT_FALSE(PromptShown());
  EXPECT_EQ(gameState.resultPhase, 1);
  EXPECT_EQ(gameState.orderScore, 60);
  EXPECT_EQ(gameState.resultCountTicks, 0);

  gameState.resultPhase = 0;
  gameState.orderDonePhase = 0;
  gameState.cupCoffee = 49;  // not filled: Space does nothing
  overlay::DrawOverlay();
  EXPECT_EQ(gameState.resultPhase, 0);

  Hold(os::vk::kSpace, false);
  gameState.cupCoffee = 100;
  gameState.buttonDown[1] = 1;  // the joystick has no Space
  overlay::DrawOverlay();
  EXPECT_EQ(gameState.orderDonePhase, 1);
  EXPECT_EQ(gameState.resultPhase, 0);
}

}  // namespace

}  // namespace overlay_test

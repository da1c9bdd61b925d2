#include "overlay/order_panels.h"

#include <array>

#include "core/game_state.h"
#include "overlay/font.h"
#include "overlay/number_text.h"
#include "overlay/overlay_bitmaps.h"
#include "overlay/virtual_screen.h"
#include "vexel/vexel.h"

namespace overlay {

namespace surface = platform::surface;

namespace {

// Virtual x positions of one panel's columns; the rows are the same for both.
struct PanelLayout {
  int left;
  int labelX, shovelHeaderX, vesselHeaderX;
  const char* vesselHeader;
  int orderHeaderX, bucketX, pouredX, orderedX;
};

constexpr PanelLayout kCupPanel{10, 20, 80, 160, "CUP   ", 220, 120, 180, 240};
constexpr PanelLayout kGlassPanel{510, 520, 580, 650, "GLASS ", 720, 620, 680, 740};

constexpr int kPanelTop = 20;
constexpr int kPanelWidth = 270, kPanelHeight = 125;
constexpr int kHeaderY = 30;
constexpr std::array<int, 3> kRowY = {60, 90, 120};
constexpr std::array<const char*, 3> kRowLabels = {"COFFEE", "MILK  ", "SUGAR "};

bool BucketHoldsSomething() {
  const game::GameState& g = game::gameState;
  return g.bucketLoaded || g.bucketDipped;
}

// The checker background, stretched like every position and see-through
// where it is white.
void DrawPanelBackground(const PanelLayout& p) {
  surface::Surface* panel = OverlaySurface(OverlayBitmap::Panel);
  surface::Surface* back = vexel::vexelContext.backBuffer.get();
  if (!panel || !back) return;
  const game::GameState& g = game::gameState;
  const int left = RealX(p.left);
  const int top = RealY(kPanelTop);
  const surface::Rect dest{left, top, left + g.displayWidth * kPanelWidth / kVirtualWidth,
                           top + g.displayHeight * kPanelHeight / kVirtualHeight};
  const surface::Rect source{0, 0, kPanelWidth, kPanelHeight};
  back->Blt(&dest, panel, &source, surface::blt_flags::kSourceColorKey | surface::blt_flags::kWait)
      .Ignore("a panel that cannot be drawn is left out of this picture");
}

void DrawPanel(const PanelLayout& p, const game::IngredientAmounts& poured, const game::IngredientAmounts& ordered,
               const int* rows) {
  const game::GameState& g = game::gameState;
  DrawPanelBackground(p);
  using font_row::kCyan;
  DrawText(kCyan, p.shovelHeaderX, kHeaderY, "SHOBEL");
  DrawText(kCyan, p.vesselHeaderX, kHeaderY, p.vesselHeader);
  DrawText(kCyan, p.orderHeaderX, kHeaderY, "ORDER ");
  for (game::Ingredient i : game::kIngredients) {
    const std::size_t row = game::IngredientSlot(i);
    const int y = kRowY[row];
    DrawText(kCyan, p.labelX, y, kRowLabels[row]);
    const bool inBucket = BucketHoldsSomething() && g.bucketIngredient == i;
    DrawText(kCyan, p.bucketX, y, inBucket ? WholeText(g.bucketAmount) : "0");
    DrawText(rows[row], p.pouredX, y, WholeText(poured[i]));
    DrawText(kCyan, p.orderedX, y, WholeText(ordered[i]));
  }
}

}  // namespace

void DrawOrderPanels(const OrderRows& rows) {
  const game::GameState& g = game::gameState;
  if (game::InPlay(g.orderCup)) DrawPanel(kCupPanel, g.cup, g.orderCup, rows.data());
  if (game::InPlay(g.orderGlass)) DrawPanel(kGlassPanel, g.glass, g.orderGlass, rows.data() + 3);
}

void DrawBucketReadout() {
  if (BucketHoldsSomething()) DrawText(font_row::kWhite, 246, 300, WholeText(game::gameState.bucketAmount));
}

}  // namespace overlay

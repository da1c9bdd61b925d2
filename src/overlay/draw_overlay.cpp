#include "core/game_state.h"
#include "overlay/order_check.h"
#include "overlay/order_panels.h"
#include "overlay/overlay.h"
#include "game/title_menu.h"

namespace overlay {

void DrawOverlay() {
  const game::GameState& g = game::gameState;
  if (g.titlePhase == 5 || g.titlePhase == 6) DrawTitleMenuLine();
  if (g.titlePhase == 0 && g.fallPhase != 2 && g.attractDemoActive != 1) {
    const OrderRows rows = CurrentFillRows();
    CheckOrderReady(rows[0], rows[1], rows[2], rows[3], rows[4], rows[5]);
    DrawOrderPanels(rows);
    DrawBucketReadout();
  }
}

}  // namespace overlay

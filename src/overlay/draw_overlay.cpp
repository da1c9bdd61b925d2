#include "core/game_state.h"
#include "overlay/font.h"
#include "overlay/number_text.h"
#include "overlay/order_check.h"
#include "overlay/order_panels.h"
#include "overlay/overlay.h"
#include "platform/os/turns.h"
#include "scene/scene.h"
#include "vexel/vexel.h"

namespace overlay {

void DrawTitleMenuLine() {
  DrawText(font_row::kWhite, 5, 540, "[ENTER]START [J]JOYSTICK [UP][DOWN]SPEED=");
  DrawText(font_row::kWhite, 420, 540, WholeText(game::gameState.speedFactor * 20));
}

void DrawOverlay() {
  const game::GameState& g = game::gameState;
  // A turn running behind the live pace draws nothing (its picture is not
  // shown), but the order is still checked every turn.
  const bool drawn = platform::os::TurnRendersPicture();
  if (drawn && (g.titlePhase == game::TitlePhase::RaiseBoom || g.titlePhase == game::TitlePhase::Menu))
    DrawTitleMenuLine();
  if (g.titlePhase == game::TitlePhase::Off && g.fallPhase != game::FallPhase::Falling && !g.attractDemoActive) {
    const OrderRows rows = CurrentFillRows();
    CheckOrderReady(rows);
    if (!drawn) return;
    DrawOrderPanels(rows);
    DrawBucketReadout();
  }
}

bool RenderFrame() {
  if (!scene::RenderFrame()) return false;
  // A failed present or render has cleaned the layer up: nothing more may
  // touch its surfaces this turn.
  if (vexel::vexelContext.ready && game::gameState.resultPhase == game::ScreenPhase::Off) DrawOverlay();
  return true;
}

}  // namespace overlay

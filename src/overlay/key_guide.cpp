#include "core/game_state.h"
#include "overlay/overlay.h"
#include "overlay/overlay_bitmaps.h"
#include "vexel/vexel.h"

namespace overlay {

namespace surface = platform::surface;

void DrawKeyGuide() {
  surface::Surface* guide = OverlaySurface(OverlayBitmap::KeyGuide);
  surface::Surface* back = vexel::vexelContext.backBuffer.get();
  if (!guide || !back) return;
  // Unscaled, hugging the lower-right corner at every resolution.
  constexpr int kWidth = 300, kHeight = 150;
  const surface::Rect source{0, 0, kWidth, kHeight};
  const game::GameState& g = game::gameState;
  back->BltFast(g.displayWidth - kWidth, g.displayHeight - kHeight, guide, &source,
                surface::blt_fast_flags::kSourceColorKey | surface::blt_fast_flags::kWait)
      .Ignore("a guide that cannot be drawn is left out of this picture");
}

}  // namespace overlay

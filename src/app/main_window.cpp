#include "app/main_window.h"

#include "app/window_proc.h"
#include "core/game_state.h"
#include "platform/os/resources.h"
#include "platform/os/window.h"

namespace app {

using namespace platform::os;

bool CreateMainWindow(void* instance, int) {
  game::GameState& g = game::gameState;
  g.appInstance = instance;
  WindowClass windowClass;
  windowClass.name = "zarn";
  windowClass.style = kCsHRedraw | kCsVRedraw;
  windowClass.proc = MainWindowProc;
  windowClass.windowExtraBytes = 4;
  windowClass.iconResource = resource_id::kWindowIcon;
  if (!RegisterWindowClass(windowClass)) return false;
  Rect desktop = DesktopRect();
  int dw = desktop.Width(), dh = desktop.Height();
  // 20, not 30: the window sits 5 pixels right of the exact centre.
  int left = dw / 2 - (g.displayWidth + 20) / 2;
  int top = dh / 2 - (g.displayHeight + 40) / 2;
  g.mainWindow =
      platform::os::CreateMainWindow("zarn", "Zarn!", kWsVisible, left, top, g.displayWidth + 30, g.displayHeight + 40);
  if (!g.mainWindow) return false;
  ShowCursor(false);
  return true;
}

}  // namespace app

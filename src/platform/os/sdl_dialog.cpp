#include "platform/os/sdl_dialog.h"

#include <SDL.h>

#include "platform/os/dialog.h"
#include "platform/os/dialog_view.h"
#include "platform/os/end_signals.h"
#include "platform/os/sdl_keymap.h"

namespace platform::os {

std::intptr_t RunSdlDialog(Dialog& dialog) {
  dialog.Start();
  DialogView view(dialog);
  SDL_Window* window = SDL_CreateWindow(dialog.Template().title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                        view.Width(), view.Height(), SDL_WINDOW_SHOWN);
  if (!window) {
    // No way to ask: take the defaults, as the headless run does.
    dialog.PressKey(0x0D);
    return dialog.Ended() ? dialog.Result() : -1;
  }
  SDL_Renderer* renderer = SDL_CreateRenderer(window, -1, 0);
  if (!renderer) renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE);
  SDL_Texture* texture = renderer ? SDL_CreateTexture(renderer, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING,
                                                      view.Width(), view.Height())
                                  : nullptr;
  Picture canvas;
  while (!dialog.Ended() && !EndSignal()) {
    view.Draw(dialog, canvas);
    if (texture) {
      SDL_UpdateTexture(texture, nullptr, canvas.pixels.data(), canvas.width * 4);
      SDL_RenderClear(renderer);
      SDL_RenderCopy(renderer, texture, nullptr, nullptr);
      SDL_RenderPresent(renderer);
    }
    // A tenth of a second at most, so that an end signal is seen in time.
    SDL_Event e;
    if (!SDL_WaitEventTimeout(&e, 100)) continue;
    switch (e.type) {
      case SDL_KEYDOWN:
        if (int code = VirtualKeyFromSdl(e.key.keysym.sym)) dialog.PressKey(code);
        break;
      case SDL_MOUSEBUTTONDOWN:
        if (e.button.button == SDL_BUTTON_LEFT) {
          DialogHit hit = view.HitTest(dialog, e.button.x, e.button.y);
          if (hit.listEntry >= 0)
            dialog.ClickListEntry(hit.controlId, hit.listEntry);
          else if (hit.controlId)
            dialog.ClickControl(hit.controlId);
        }
        break;
      case SDL_QUIT: dialog.Close(); break;
      case SDL_WINDOWEVENT:
        if (e.window.event == SDL_WINDOWEVENT_CLOSE) dialog.Close();
        break;
      default: break;
    }
  }
  if (texture) SDL_DestroyTexture(texture);
  if (renderer) SDL_DestroyRenderer(renderer);
  SDL_DestroyWindow(window);
  return dialog.Result();
}

}  // namespace platform::os

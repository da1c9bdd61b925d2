#include "platform/os/sdl_notice.h"

namespace platform::os {

void DrawNoticeStrip(SDL_Renderer* renderer, const Picture& strip, const SDL_Rect& shown, int canvasHeight) {
  if (strip.width <= 0 || strip.height <= 0 || canvasHeight <= 0 || shown.w <= 0 || shown.h <= 0) return;
  SDL_Texture* texture =
      SDL_CreateTexture(renderer, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STATIC, strip.width, strip.height);
  if (!texture) return;
  SDL_UpdateTexture(texture, nullptr, strip.pixels.data(), strip.width * 4);
  const int height = strip.height * shown.h / canvasHeight;
  const SDL_Rect place{shown.x, shown.y + shown.h - height, shown.w, height};
  SDL_RenderCopy(renderer, texture, nullptr, &place);
  SDL_DestroyTexture(texture);
}

}  // namespace platform::os

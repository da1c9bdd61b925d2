#include "platform/os/sdl_notice.h"

namespace platform::os {

namespace {

bool Drawable(const Picture& strip, const SDL_Rect& shown, int canvasHeight) {
  return strip.width > 0 && strip.height > 0 && canvasHeight > 0 && shown.w > 0 && shown.h > 0;
}

// The strip keeps its share of the canvas's height, at the canvas's bottom.
SDL_Rect StripPlace(const Picture& strip, const SDL_Rect& shown, int canvasHeight) {
  const int height = strip.height * shown.h / canvasHeight;
  return {shown.x, shown.y + shown.h - height, shown.w, height};
}

}  // namespace

void DrawNoticeStrip(SDL_Surface* surface, const Picture& strip, const SDL_Rect& shown, int canvasHeight) {
  if (!Drawable(strip, shown, canvasHeight)) return;
  // SDL only reads through this pointer.
  SDL_Surface* source = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<std::uint32_t*>(strip.pixels.data()), strip.width,
                                                           strip.height, 32, strip.width * 4, SDL_PIXELFORMAT_RGB888);
  if (!source) return;
  SDL_Rect place = StripPlace(strip, shown, canvasHeight);
  SDL_BlitScaled(source, nullptr, surface, &place);
  SDL_FreeSurface(source);
}

void DrawNoticeStrip(SDL_Renderer* renderer, const Picture& strip, const SDL_Rect& shown, int canvasHeight) {
  if (!Drawable(strip, shown, canvasHeight)) return;
  SDL_Texture* texture =
      SDL_CreateTexture(renderer, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STATIC, strip.width, strip.height);
  if (!texture) return;
  SDL_UpdateTexture(texture, nullptr, strip.pixels.data(), strip.width * 4);
  const SDL_Rect place = StripPlace(strip, shown, canvasHeight);
  SDL_RenderCopy(renderer, texture, nullptr, &place);
  SDL_DestroyTexture(texture);
}

}  // namespace platform::os

#include "platform/os/sdl_presenter.h"

#include <SDL.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "platform/os/debug_output.h"
#include "platform/os/picture_placement.h"
#include "platform/os/sdl_notice.h"

namespace platform::os {

namespace {

// Our pictures are 0x00RRGGBB words: SDL's RGB888 (XRGB8888).
constexpr std::uint32_t kCanvasFormat = SDL_PIXELFORMAT_RGB888;

// A renderer that draws on the CPU: SDL's own software one, or OpenGL served
// by Mesa's software rasterizers, which SDL still reports as accelerated.
bool DrawsInSoftware(SDL_Renderer* renderer) {
  SDL_RendererInfo info;
  if (SDL_GetRendererInfo(renderer, &info) != 0) return false;
  if ((info.flags & SDL_RENDERER_SOFTWARE) || std::strcmp(info.name, "software") == 0) return true;
  if (std::strncmp(info.name, "opengl", 6) != 0) return false;
  // The renderer's context is current after its creation; GL_RENDERER names
  // the rasterizer.
  using GetString = const unsigned char* (*)(unsigned);
  auto getString = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
  const unsigned char* name = getString ? getString(0x1F01) : nullptr;
  if (!name) return false;
  std::string rasterizer(reinterpret_cast<const char*>(name));
  for (const char* soft : {"llvmpipe", "softpipe", "Software Rasterizer", "swrast"})
    if (rasterizer.find(soft) != std::string::npos) return true;
  return false;
}

// Only a layout without alpha: our words carry 0 there, which a surface
// with alpha (a compositor's 32-bit visual) would show as see-through.
bool SameLayoutAsCanvas(std::uint32_t format) { return format == SDL_PIXELFORMAT_RGB888; }

// The parts of a w x h drawable outside `placed`, painted black.
void FillBars(SDL_Surface* surface, const SDL_Rect& placed) {
  const std::uint32_t black = SDL_MapRGB(surface->format, 0, 0, 0);
  const SDL_Rect bars[] = {{0, 0, surface->w, placed.y},
                           {0, placed.y + placed.h, surface->w, surface->h - placed.y - placed.h},
                           {0, placed.y, placed.x, placed.h},
                           {placed.x + placed.w, placed.y, surface->w - placed.x - placed.w, placed.h}};
  for (const SDL_Rect& bar : bars)
    if (bar.w > 0 && bar.h > 0) SDL_FillRect(surface, &bar, black);
}

}  // namespace

const char* PresentPathName(PresentPath path) {
  return path == PresentPath::kTexture ? "streaming texture" : "window surface";
}

SdlPresenter::SdlPresenter(SDL_Window* window) : window_(window) {
  const char* asked = SDL_getenv("ZARN_PRESENT");
  std::string ask = asked ? asked : "";
  if (ask == "surface") {
    path_ = PresentPath::kWindowSurface;
  } else if (!UseRenderer()) {
    path_ = PresentPath::kWindowSurface;
  } else if (ask != "texture" && DrawsInSoftware(renderer_)) {
    SDL_DestroyRenderer(renderer_);
    renderer_ = nullptr;
    path_ = PresentPath::kWindowSurface;
  }
  if (path_ == PresentPath::kWindowSurface) {
    // SDL would otherwise back the window surface with a renderer of its own
    // (the software OpenGL pass again); X's shared-memory image is the cheap
    // way. An environment setting of the hint still wins.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  }
  if (DebugOutputEnabled()) {
    SDL_RendererInfo info{};
    std::string how = PresentPathName(path_);
    if (renderer_ && SDL_GetRendererInfo(renderer_, &info) == 0) how += std::string(" (") + info.name + ")";
    OutputDebugString("present: " + how + "\n");
  }
}

SdlPresenter::~SdlPresenter() {
  if (DebugOutputEnabled() && shown_ > 0) {
    char line[160];
    std::snprintf(line, sizeof line, "present: %lld pictures in %.3f s through the %s\n",
                  static_cast<long long>(shown_), static_cast<double>(lastTicks_ - firstTicks_) / 1000.0,
                  PresentPathName(path_));
    OutputDebugString(line);
  }
  if (canvasSurface_) SDL_FreeSurface(canvasSurface_);
  if (texture_) SDL_DestroyTexture(texture_);
  if (renderer_) SDL_DestroyRenderer(renderer_);
}

bool SdlPresenter::UseRenderer() {
  if (renderer_) return true;
  renderer_ = SDL_CreateRenderer(window_, -1, 0);
  if (!renderer_) renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_SOFTWARE);
  path_ = PresentPath::kTexture;
  return renderer_ != nullptr;
}

void SdlPresenter::Show(const Picture& canvas, const Picture* strip) {
  if (canvas.width <= 0 || canvas.height <= 0) return;
  bool shown =
      path_ == PresentPath::kWindowSurface ? ShowThroughSurface(canvas, strip) : ShowThroughTexture(canvas, strip);
  // A window surface SDL cannot give is no reason to show nothing.
  if (!shown && path_ == PresentPath::kWindowSurface && UseRenderer()) shown = ShowThroughTexture(canvas, strip);
  if (!shown) return;
  lastTicks_ = SDL_GetTicks64();
  if (shown_++ == 0) firstTicks_ = lastTicks_;
}

bool SdlPresenter::ShowThroughTexture(const Picture& canvas, const Picture* strip) {
  if (!renderer_) return false;
  if (!texture_ || textureWidth_ != canvas.width || textureHeight_ != canvas.height) {
    if (texture_) SDL_DestroyTexture(texture_);
    texture_ = SDL_CreateTexture(renderer_, kCanvasFormat, SDL_TEXTUREACCESS_STREAMING, canvas.width, canvas.height);
    textureWidth_ = canvas.width;
    textureHeight_ = canvas.height;
    if (!texture_) return false;
  }
  SDL_UpdateTexture(texture_, nullptr, canvas.pixels.data(), canvas.width * 4);
  int ow = 0, oh = 0;
  if (SDL_GetRendererOutputSize(renderer_, &ow, &oh) != 0) return false;
  Rect placed = FitCentred(canvas.width, canvas.height, ow, oh);
  SDL_Rect target{placed.left, placed.top, placed.Width(), placed.Height()};
  if (target.w != ow || target.h != oh) {
    SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
    SDL_RenderClear(renderer_);
  }
  if (target.w > 0 && target.h > 0) SDL_RenderCopy(renderer_, texture_, nullptr, &target);
  if (strip) DrawNoticeStrip(renderer_, *strip, target, canvas.height);
  SDL_RenderPresent(renderer_);
  return true;
}

bool SdlPresenter::ShowThroughSurface(const Picture& canvas, const Picture* strip) {
  // Asked anew each time: a resized window has a new surface.
  SDL_Surface* surface = SDL_GetWindowSurface(window_);
  if (!surface) return false;
  Rect placed = FitCentred(canvas.width, canvas.height, surface->w, surface->h);
  SDL_Rect target{placed.left, placed.top, placed.Width(), placed.Height()};
  if (target.w == canvas.width && target.h == canvas.height && SameLayoutAsCanvas(surface->format->format)) {
    // The usual case: the picture already has the drawable's size and layout.
    if (SDL_MUSTLOCK(surface) && SDL_LockSurface(surface) != 0) return false;
    FillBars(surface, target);
    for (int y = 0; y < canvas.height; ++y)
      std::memcpy(static_cast<std::uint8_t*>(surface->pixels) +
                      static_cast<std::size_t>(target.y + y) * surface->pitch + static_cast<std::size_t>(target.x) * 4,
                  canvas.pixels.data() + static_cast<std::size_t>(y) * canvas.width,
                  static_cast<std::size_t>(canvas.width) * 4);
    if (SDL_MUSTLOCK(surface)) SDL_UnlockSurface(surface);
  } else {
    if (!canvasSurface_ || canvasSurface_->w != canvas.width || canvasSurface_->h != canvas.height) {
      if (canvasSurface_) SDL_FreeSurface(canvasSurface_);
      canvasPixels_ = canvas.pixels.data();
      // SDL only reads through this pointer.
      canvasSurface_ = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<std::uint32_t*>(canvasPixels_), canvas.width,
                                                          canvas.height, 32, canvas.width * 4, kCanvasFormat);
      if (!canvasSurface_) return false;
    } else if (canvasPixels_ != canvas.pixels.data()) {
      // Full screen hands over another buffer of the same size each picture:
      // the surface, made over caller-owned pixels, just reads from it now.
      canvasPixels_ = canvas.pixels.data();
      canvasSurface_->pixels = const_cast<std::uint32_t*>(canvasPixels_);
    }
    FillBars(surface, target);
    if (target.w > 0 && target.h > 0) SDL_BlitScaled(canvasSurface_, nullptr, surface, &target);
  }
  if (strip) DrawNoticeStrip(surface, *strip, target, canvas.height);
  return SDL_UpdateWindowSurface(window_) == 0;
}

bool SdlPresenter::ReadShown(Picture* shown) {
  int w = 0, h = 0;
  shown->width = shown->height = 0;
  shown->pixels.clear();
  if (path_ == PresentPath::kTexture) {
    if (!renderer_ || SDL_GetRendererOutputSize(renderer_, &w, &h) != 0) return false;
    shown->pixels.resize(static_cast<std::size_t>(w) * h);
    if (SDL_RenderReadPixels(renderer_, nullptr, kCanvasFormat, shown->pixels.data(), w * 4) != 0) return false;
  } else {
    SDL_Surface* surface = SDL_GetWindowSurface(window_);
    if (!surface) return false;
    w = surface->w;
    h = surface->h;
    shown->pixels.resize(static_cast<std::size_t>(w) * h);
    if (SDL_ConvertPixels(w, h, surface->format->format, surface->pixels, surface->pitch, kCanvasFormat,
                          shown->pixels.data(), w * 4) != 0)
      return false;
  }
  shown->width = w;
  shown->height = h;
  return true;
}

}  // namespace platform::os

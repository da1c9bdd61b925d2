#pragma once
// How the live window shows the game's canvas. Two ways, chosen per window by
// what costs least where the game runs:
// - a streaming texture of SDL's renderer, in the canvas's own pixel layout
//   (the usual 32-bit one of X displays), where the renderer draws on a GPU;
// - SDL's window surface, which on X is a shared-memory image the server
//   copies, where the renderer would draw in software (no GPU, a virtual X
//   server): there the renderer's software OpenGL pass over every pixel costs
//   more than drawing the game's picture.
// Either way the canvas is shown whole: 1:1 when it has the drawable's size,
// else scaled with its aspect kept, centred between black bars.
#include <cstdint>

#include "platform/os/window.h"

struct SDL_Window;
struct SDL_Renderer;
struct SDL_Texture;
struct SDL_Surface;

namespace platform::os {

enum class PresentPath { kTexture, kWindowSurface };
const char* PresentPathName(PresentPath path);

class SdlPresenter {
 public:
  // ZARN_PRESENT=texture or ZARN_PRESENT=surface asks for a path (benchmarks,
  // checks); otherwise the renderer SDL gives the window decides.
  explicit SdlPresenter(SDL_Window* window);
  ~SdlPresenter();
  SdlPresenter(const SdlPresenter&) = delete;
  SdlPresenter& operator=(const SdlPresenter&) = delete;

  PresentPath Path() const { return path_; }
  // Shows the canvas in the window's drawable as it is now, with `strip`
  // (a notice of the platform's own) over its bottom when given.
  void Show(const Picture& canvas, const Picture* strip = nullptr);
  // The drawable's pixels as the last Show left them (checks of the paths).
  bool ReadShown(Picture* shown);

 private:
  bool UseRenderer();
  bool ShowThroughTexture(const Picture& canvas, const Picture* strip);
  bool ShowThroughSurface(const Picture& canvas, const Picture* strip);

  SDL_Window* window_;
  PresentPath path_ = PresentPath::kTexture;
  SDL_Renderer* renderer_ = nullptr;
  SDL_Texture* texture_ = nullptr;
  int textureWidth_ = 0, textureHeight_ = 0;
  // The canvas seen as an SDL surface, for scaled blits onto the window's.
  SDL_Surface* canvasSurface_ = nullptr;
  const std::uint32_t* canvasPixels_ = nullptr;
  // Pictures shown and the time from the first to the last, said at the end
  // with --debug (scripts/bench --live reads it).
  std::int64_t shown_ = 0;
  std::uint64_t firstTicks_ = 0, lastTicks_ = 0;
};

}  // namespace platform::os

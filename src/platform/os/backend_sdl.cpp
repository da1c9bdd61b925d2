// The live machine: an SDL window, the monotonic clock, real pacing.
#include <SDL.h>

#include <chrono>
#include <cstdio>
#include <ctime>
#include <thread>

#include "platform/os/backend.h"
#include "platform/os/bmp_reader.h"
#include "platform/os/dialog.h"
#include "platform/os/frame_metrics.h"
#include "platform/os/keyboard.h"
#include "platform/os/messages.h"
#include "platform/os/resources.h"
#include "platform/os/sdl_dialog.h"
#include "platform/os/sdl_keymap.h"
#include "platform/os/window.h"

namespace platform::os {

namespace {

using Clock = std::chrono::steady_clock;

void SetIcon(SDL_Window* window) {
  BmpReadResult r = ReadBmp(FindResource(resource_id::kWindowIcon));
  if (!r.ok()) return;
  const BmpImage& im = r.image;
  SDL_Surface* icon = SDL_CreateRGBSurfaceWithFormat(0, im.width, im.height, 32, SDL_PIXELFORMAT_ARGB8888);
  if (!icon) return;
  for (int y = 0; y < im.height; ++y)
    for (int x = 0; x < im.width; ++x) {
      std::size_t i = static_cast<std::size_t>(y) * im.width + x;
      BmpColour c{};
      if (im.bitsPerPixel == 8 && im.pixels[i] < im.palette.size()) c = im.palette[im.pixels[i]];
      if (im.bitsPerPixel == 24) c = {im.pixels[3 * i], im.pixels[3 * i + 1], im.pixels[3 * i + 2]};
      auto* row = reinterpret_cast<std::uint32_t*>(static_cast<std::uint8_t*>(icon->pixels) + y * icon->pitch);
      row[x] = 0xFF000000u | (std::uint32_t(c.red) << 16) | (std::uint32_t(c.green) << 8) | c.blue;
    }
  SDL_SetWindowIcon(window, icon);
  SDL_FreeSurface(icon);
}

class SdlBackend final : public Backend {
 public:
  explicit SdlBackend(const BackendOptions& options)
      : turnLength_(std::chrono::duration_cast<Clock::duration>(
            std::chrono::duration<double>(1.0 / (options.fps > 0 ? options.fps : 60.0)))),
        start_(Clock::now()),
        nextTurn_(start_ + turnLength_) {}

  ~SdlBackend() override {
    if (texture_) SDL_DestroyTexture(texture_);
    if (renderer_) SDL_DestroyRenderer(renderer_);
    if (window_) SDL_DestroyWindow(window_);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
  }

  bool Start(std::string* error) {
    // Ctrl+C in the terminal ends the program at once, even in the dialog.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
      if (error) *error = std::string("cannot open the display: ") + SDL_GetError();
      return false;
    }
    return true;
  }

  bool IsHeadless() const override { return false; }

  std::int64_t NowNanoseconds() override {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now() - start_).count();
  }
  std::int64_t WallClockSeconds() override { return static_cast<std::int64_t>(std::time(nullptr)); }

  // Paces turns at the chosen rate. A turn that ran long moves the schedule
  // instead of making the next turns hurry to catch up.
  void EndTurn() override {
    Clock::time_point now = Clock::now();
    if (now < nextTurn_) {
      std::this_thread::sleep_until(nextTurn_);
      nextTurn_ += turnLength_;
    } else {
      nextTurn_ = now + turnLength_;
    }
  }

  void PumpEvents() override {
    Window* main = MainWindow();
    SDL_Event e;
    while (SDL_PollEvent(&e)) {
      switch (e.type) {
        case SDL_QUIT: PostMessage(main, msg::kClose, 0, 0); break;
        case SDL_WINDOWEVENT: OnWindowEvent(main, e.window); break;
        case SDL_KEYDOWN:
        case SDL_KEYUP: OnKey(main, e.key); break;
        default: break;
      }
    }
  }

  Rect DesktopRect() override {
    SDL_Rect r{0, 0, 1920, 1080};
    SDL_GetDisplayBounds(0, &r);
    return {0, 0, r.w, r.h};
  }

  bool CreateNativeWindow(Window& window) override {
    Rect want = ClientFromFrame(window.frame);
    window_ = SDL_CreateWindow(window.title.c_str(), want.left, want.top, want.Width(),
                               want.Height(), SDL_WINDOW_SHOWN);
    if (!window_) return false;
    SetIcon(window_);
    int x = want.left, y = want.top, w = want.Width(), h = want.Height();
    SDL_GetWindowPosition(window_, &x, &y);
    SDL_GetWindowSize(window_, &w, &h);
    window.client = {x, y, x + w, y + h};
    window.native = window_;
    renderer_ = SDL_CreateRenderer(window_, -1, 0);
    if (!renderer_) renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_SOFTWARE);
    return true;
  }

  void SetPointerVisible(bool visible) override { SDL_ShowCursor(visible ? SDL_ENABLE : SDL_DISABLE); }

  bool EnterFullScreen(Window& window, int, int) override {
    if (!window_ || SDL_SetWindowFullscreen(window_, SDL_WINDOW_FULLSCREEN_DESKTOP) != 0) return false;
    (void)window;
    return true;
  }

  void Present(Window& window, const Picture& picture, Rect destination) override {
    if (!renderer_ || picture.width <= 0 || picture.height <= 0) return;
    if (!texture_ || textureWidth_ != picture.width || textureHeight_ != picture.height) {
      if (texture_) SDL_DestroyTexture(texture_);
      texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING,
                                   picture.width, picture.height);
      textureWidth_ = picture.width;
      textureHeight_ = picture.height;
      if (!texture_) return;
    }
    SDL_UpdateTexture(texture_, nullptr, picture.pixels.data(), picture.width * 4);
    SDL_Rect target{destination.left, destination.top, destination.Width(), destination.Height()};
    if (window.fullScreen) target = Letterbox(picture.width, picture.height);
    SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
    SDL_RenderClear(renderer_);
    SDL_RenderCopy(renderer_, texture_, nullptr, &target);
    SDL_RenderPresent(renderer_);
  }

  void ShowMessageBox(const std::string& caption, const std::string& text) override {
    std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, caption.c_str(), text.c_str(), window_);
  }

  std::intptr_t RunDialog(Dialog& dialog) override { return RunSdlDialog(dialog); }

 private:
  SDL_Rect Letterbox(int width, int height) {
    int ow = width, oh = height;
    SDL_GetRendererOutputSize(renderer_, &ow, &oh);
    double scale = std::min(double(ow) / width, double(oh) / height);
    int w = int(width * scale), h = int(height * scale);
    return {(ow - w) / 2, (oh - h) / 2, w, h};
  }

  void OnWindowEvent(Window* main, const SDL_WindowEvent& e) {
    switch (e.event) {
      case SDL_WINDOWEVENT_FOCUS_GAINED: PostMessage(main, msg::kActivateApp, 1, 0); break;
      case SDL_WINDOWEVENT_FOCUS_LOST: PostMessage(main, msg::kActivateApp, 0, 0); break;
      case SDL_WINDOWEVENT_EXPOSED: PostMessage(main, msg::kPaint, 0, 0); break;
      case SDL_WINDOWEVENT_CLOSE: PostMessage(main, msg::kClose, 0, 0); break;
      case SDL_WINDOWEVENT_MOVED:
        if (main) {
          int w = main->client.Width(), h = main->client.Height();
          main->client = {e.data1, e.data2, e.data1 + w, e.data2 + h};
        }
        break;
      default: break;
    }
  }

  void OnKey(Window* main, const SDL_KeyboardEvent& e) {
    bool down = e.type == SDL_KEYDOWN;
    int code = VirtualKeyFromSdl(e.keysym.sym);
    if (!code) return;
    if (int sided = SidedVirtualKeyFromSdl(e.keysym.sym)) {
      SetKeyDown(sided, down);
      // The plain code stays down while either side is held.
      KeyboardState keys;
      GetKeyboardState(keys);
      int other = sided ^ 1;
      down = down || KeyDown(keys, other);
    }
    SetKeyDown(code, down);
    if (e.repeat) return;
    bool system = code == vk::kMenu || code == vk::kF10;
    std::uint32_t message = system ? (down ? msg::kSysKeyDown : msg::kSysKeyUp)
                                   : (down ? msg::kKeyDown : msg::kKeyUp);
    PostMessage(main, message, static_cast<std::uintptr_t>(code), 0);
  }

  Clock::duration turnLength_;
  Clock::time_point start_;
  Clock::time_point nextTurn_;
  SDL_Window* window_ = nullptr;
  SDL_Renderer* renderer_ = nullptr;
  SDL_Texture* texture_ = nullptr;
  int textureWidth_ = 0, textureHeight_ = 0;
};

}  // namespace

std::unique_ptr<Backend> MakeSdlBackend(const BackendOptions& options, std::string* error) {
  auto backend = std::make_unique<SdlBackend>(options);
  if (!backend->Start(error)) return nullptr;
  return backend;
}

}  // namespace platform::os

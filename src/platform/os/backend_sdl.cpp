// The live machine: an SDL window, the monotonic clock, real pacing.
#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <memory>
#include <vector>

#include "platform/os/backend.h"
#include "platform/os/dialog.h"
#include "platform/os/display_loss.h"
#include "platform/os/frame_metrics.h"
#include "platform/os/host_yield.h"
#include "platform/os/key_taps.h"
#include "platform/os/keyboard.h"
#include "platform/os/messages.h"
#include "platform/os/pacer.h"
#include "platform/os/picture_placement.h"
#include "platform/os/screen_notice.h"
#include "platform/os/screenshot.h"
#include "platform/os/sdl_dialog.h"
#include "platform/os/sdl_keymap.h"
#include "platform/os/sdl_presenter.h"
#include "platform/os/window.h"
#include "platform/os/window_fit.h"
#include "platform/os/window_icon.h"

namespace platform::os {

namespace {

using Clock = std::chrono::steady_clock;

// A picture may carry at most this many turns: when drawing cannot keep up,
// the turns between two pictures run without one.
constexpr int kMaxTurnsPerPicture = 4;

// The frame of the classic window arithmetic, and a frame as large as
// today's window managers draw (a tall title bar).
constexpr FrameExtents kClassicFrame{kFrameBorder, kFrameBorder + kCaptionHeight, kFrameBorder, kFrameBorder};
constexpr FrameExtents kLargeFrame{8, 40, 8, 8};

void SetIcon(SDL_Window* window) {
  Picture im = WindowIconPicture();
  if (im.width <= 0) return;
  SDL_Surface* icon = SDL_CreateRGBSurfaceWithFormat(0, im.width, im.height, 32, SDL_PIXELFORMAT_ARGB8888);
  if (!icon) return;
  for (int y = 0; y < im.height; ++y) {
    auto* row = reinterpret_cast<std::uint32_t*>(static_cast<std::uint8_t*>(icon->pixels) + y * icon->pitch);
    for (int x = 0; x < im.width; ++x) {
      std::uint32_t c = im.pixels[static_cast<std::size_t>(y) * im.width + x];
      row[x] = c == kIconBackground ? 0u : 0xFF000000u | c;
    }
  }
  SDL_SetWindowIcon(window, icon);
  SDL_FreeSurface(icon);
}

class SdlBackend final : public Backend {
 public:
  explicit SdlBackend(const BackendOptions& options)
      : start_(Clock::now()),
        pacer_(std::llround(1e9 / (options.fps > 0 && std::isfinite(options.fps) ? options.fps : 60.0)),
               kMaxTurnsPerPicture) {}

  ~SdlBackend() override {
    presenter_.reset();
    if (window_) SDL_DestroyWindow(window_);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
  }

  bool Start(std::string* error) {
    // The end signals are the program's own (end_signals.h), in the dialog too.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    // Without a Wayland display only X is worth asking: SDL would probe
    // Wayland too, and the Wayland library complains on standard error.
    if (!SDL_getenv("SDL_VIDEODRIVER") && !SDL_getenv("WAYLAND_DISPLAY")) SDL_SetHint(SDL_HINT_VIDEODRIVER, "x11");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0 || !OnAVisibleDisplay()) {
      if (error) *error = "no display";
      return false;
    }
    if (std::strcmp(SDL_GetCurrentVideoDriver(), "x11") == 0) WatchDisplayConnection();
    return true;
  }

  // Without a display SDL falls back to drivers that draw nowhere; a game
  // nobody can see or stop is worse than none. Those drivers count only when
  // asked for by name (tests do).
  static bool OnAVisibleDisplay() {
    const char* driver = SDL_GetCurrentVideoDriver();
    if (!driver || SDL_GetNumVideoDisplays() < 1) return false;
    if (std::strcmp(driver, "offscreen") != 0 && std::strcmp(driver, "dummy") != 0) return true;
    const char* asked = SDL_getenv("SDL_VIDEODRIVER");
    return asked && std::strstr(asked, driver);
  }

  bool IsHeadless() const override { return false; }

  // The game's clock is the schedule of its turns: it reads the time the
  // current turn was due, so timers fall on turns as they do headless, and
  // the speed calibration counts the same turns on every machine that keeps
  // the pace. The schedule starts with the first turn.
  std::int64_t NowNanoseconds() override {
    StartPace();
    return pacer_.TurnTime();
  }
  std::int64_t WallClockSeconds() override { return static_cast<std::int64_t>(std::time(nullptr)); }

  void EndTurn() override {
    StartPace();
    WaitUntil(start_ + std::chrono::nanoseconds(pacer_.EndTurn(RealNanoseconds())));
    for (std::int32_t key : taps_.EndTurn()) {
      SDL_KeyboardEvent up{};
      up.type = SDL_KEYUP;
      up.keysym.sym = key;
      OnKey(MainWindow(), up);
    }
  }
  bool TurnRendersPicture() const override { return pacer_.RendersPicture(); }
  bool PreviousTurnRenderedPicture() const override { return pacer_.PreviousRenderedPicture(); }

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

  // The game's desktop: the screen, grown to hold a window too big for it
  // (its picture would otherwise be cut at the screen's edge before it is
  // scaled down to the window).
  Rect DesktopRect() override {
    SDL_Rect r{0, 0, 1920, 1080};
    SDL_GetDisplayBounds(0, &r);
    return {0, 0, std::max(r.w, bigWindow_.right), std::max(r.h, bigWindow_.bottom)};
  }

  // The window system gets a window that fits the usable desktop with its
  // frame. A mode too big for the screen keeps the client rectangle it asked
  // for as the game's own coordinates, moved onto the screen, and is shown
  // scaled down in the smaller window (window_fit.h).
  bool CreateNativeWindow(Window& window) override {
    const Rect want = ClientFromFrame(window.frame);
    const Rect onScreen = FitWindowToDesktop(want, UsableDesktop(), kClassicFrame);
    const bool fits = onScreen.Width() == want.Width();
    int x = onScreen.left, y = onScreen.top, w = want.Width(), h = want.Height();
    if (!fits) {
      // The frame is not known before the window is up, and window managers
      // place a new window by its frame's corner: leave room for a large
      // one, and put the frame's corner where it goes.
      const Rect placed = FitWindowToDesktop(want, UsableDesktop(), kLargeFrame);
      x = placed.left - kLargeFrame.left, y = placed.top - kLargeFrame.top, w = placed.Width(), h = placed.Height();
    }
    window_ = SDL_CreateWindow(window.title.c_str(), x, y, w, h,
                               SDL_WINDOW_SHOWN | SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI);
    if (!window_) return false;
    SetIcon(window_);
    if (fits) {
      SDL_GetWindowPosition(window_, &x, &y);
      SDL_GetWindowSize(window_, &w, &h);
      window.client = {x, y, x + w, y + h};
    } else {
      window.client = KeepOnDesktop(want, DesktopRect());
      bigWindow_ = window.client;
    }
    window.native = window_;
    presenter_ = std::make_unique<SdlPresenter>(window_);
    return true;
  }

  void SetPointerVisible(bool visible) override { SDL_ShowCursor(visible ? SDL_ENABLE : SDL_DISABLE); }

  // Without a window manager nobody acts on the full-screen request: SDL
  // would report the screen's size while the X window kept its own. So the
  // window first covers the screen by itself, then asks; a refusal puts the
  // window back as it was and the game carries on in it.
  bool EnterFullScreen(Window&, int, int) override {
    if (!window_) return false;
    SDL_Rect screen;
    if (SDL_GetDisplayBounds(std::max(SDL_GetWindowDisplayIndex(window_), 0), &screen) != 0) return false;
    int x = 0, y = 0, w = 0, h = 0;
    SDL_GetWindowPosition(window_, &x, &y);
    SDL_GetWindowSize(window_, &w, &h);
    windowed_ = {x, y, x + w, y + h};
    SDL_SetWindowBordered(window_, SDL_FALSE);
    SDL_SetWindowPosition(window_, screen.x, screen.y);
    SDL_SetWindowSize(window_, screen.w, screen.h);
    if (SDL_SetWindowFullscreen(window_, SDL_WINDOW_FULLSCREEN_DESKTOP) == 0) return true;
    RestoreWindowed();
    return false;
  }

  // The window back where and as it was before full screen.
  void RestoreWindowed() {
    SDL_SetWindowBordered(window_, SDL_TRUE);
    SDL_SetWindowSize(window_, windowed_.Width(), windowed_.Height());
    SDL_SetWindowPosition(window_, windowed_.left, windowed_.top);
  }

  // The game draws into a canvas of the size it created its window with (the
  // picture's own size in full screen); the canvas is then shown whole in
  // whatever drawable the window has now, as SDL reports it at this moment.
  // Its pixels are kept as well, for screenshots.
  void Present(Window& window, Picture& picture, Rect destination) override {
    if (!presenter_ || picture.width <= 0 || picture.height <= 0) return;
    int cw = window.fullScreen ? picture.width : window.client.Width();
    int ch = window.fullScreen ? picture.height : window.client.Height();
    if (window.fullScreen) destination = {0, 0, cw, ch};
    PrepareCanvas(cw, ch);
    if (destination.left == 0 && destination.top == 0 && picture.width == cw && picture.height == ch) {
      // The picture fills the canvas (full screen): it becomes the canvas,
      // and the old canvas is the buffer the next picture is drawn into.
      // Copying 8 MB a picture at 1080p was a tenth of the live loop.
      canvas_.pixels.swap(picture.pixels);
      ShowCanvas();
      return;
    }
    // Only the part of the picture that falls on the canvas is copied.
    Rect r{std::max(destination.left, 0), std::max(destination.top, 0), std::min(destination.left + picture.width, cw),
           std::min(destination.top + picture.height, ch)};
    for (int y = r.top; y < r.bottom; ++y) {
      const std::uint32_t* from = picture.pixels.data() +
                                  static_cast<std::size_t>(y - destination.top) * picture.width +
                                  (r.left - destination.left);
      std::copy(from, from + std::max(r.Width(), 0), canvas_.pixels.data() + static_cast<std::size_t>(y) * cw + r.left);
    }
    ShowCanvas();
  }

  void ShowMessageBox(const std::string& caption, const std::string& text) override {
    std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, caption.c_str(), text.c_str(), window_);
  }

  std::intptr_t RunDialog(Dialog& dialog) override { return RunSdlDialog(dialog); }

 private:
  // A canvas of the given size, black when new.
  void PrepareCanvas(int width, int height) {
    if (canvas_.width == width && canvas_.height == height) return;
    canvas_.width = width;
    canvas_.height = height;
    canvas_.pixels.assign(static_cast<std::size_t>(width) * height, 0);
  }

  void ShowCanvas() {
    if (!presenter_) return;
    const bool notice = notice_.Due(Clock::now());
    const Picture strip = notice ? notice_.Strip(canvas_.width) : Picture{};
    presenter_->Show(canvas_, notice ? &strip : nullptr);
  }

  // Alt+Enter: full screen and a window in turn, whichever the game started
  // in. Only the window changes; the game draws on as before.
  void ToggleFullScreen(Window* main) {
    if (!window_ || !main) return;
    if (SDL_GetWindowFlags(window_) & SDL_WINDOW_FULLSCREEN) {
      SDL_SetWindowFullscreen(window_, 0);
      RestoreWindowed();
    } else {
      EnterFullScreen(*main, 0, 0);
    }
    ShowCanvas();
  }

  Rect UsableDesktop() {
    SDL_Rect r;
    if (SDL_GetDisplayUsableBounds(0, &r) != 0) return DesktopRect();
    return {r.x, r.y, r.x + r.w, r.y + r.h};
  }

  void OnWindowEvent(Window* main, const SDL_WindowEvent& e) {
    switch (e.event) {
      case SDL_WINDOWEVENT_FOCUS_GAINED: PostMessage(main, msg::kActivateApp, 1, 0); break;
      case SDL_WINDOWEVENT_FOCUS_LOST: PostMessage(main, msg::kActivateApp, 0, 0); break;
      case SDL_WINDOWEVENT_EXPOSED: PostMessage(main, msg::kPaint, 0, 0); break;
      case SDL_WINDOWEVENT_CLOSE: PostMessage(main, msg::kClose, 0, 0); break;
      // The game keeps the client rectangle it was created with: its
      // windowed picture is placed by that rectangle, and the canvas is
      // shown wherever the window is now. A new size or scale only needs the
      // canvas shown again.
      case SDL_WINDOWEVENT_SIZE_CHANGED: ShowCanvas(); break;
      default: break;
    }
  }

  void OnKey(Window* main, const SDL_KeyboardEvent& e) {
    bool down = e.type == SDL_KEYDOWN;
    int code = VirtualKeyFromSdl(e.keysym.sym);
    if (!code) return;
    // Alt+Enter belongs to the window system's side: full screen or window.
    // The game never sees that Enter.
    if (code == vk::kReturn && down && (e.keysym.mod & KMOD_ALT)) {
      if (!e.repeat) ToggleFullScreen(main);
      return;
    }
    if (down && !e.repeat) taps_.Pressed(e.keysym.sym);
    if (!down && taps_.HoldRelease(e.keysym.sym)) return;
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
    // F12 is free in every mode of the game: it takes a screenshot, and says
    // where on screen too (a full-screen player sees no terminal).
    if (code == vk::kF12 && down && canvas_.width > 0) notice_.Show(SaveScreenshot(canvas_), Clock::now());
    bool system = code == vk::kMenu || code == vk::kF10;
    std::uint32_t message = system ? (down ? msg::kSysKeyDown : msg::kSysKeyUp) : (down ? msg::kKeyDown : msg::kKeyUp);
    PostMessage(main, message, static_cast<std::uintptr_t>(code), 0);
  }

  std::int64_t RealNanoseconds() const {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now() - start_).count();
  }
  void StartPace() {
    if (paceStarted_) return;
    paceStarted_ = true;
    pacer_.Start(RealNanoseconds());
  }

  Clock::time_point start_;
  Pacer pacer_;
  bool paceStarted_ = false;
  KeyTaps taps_;
  Rect windowed_;   // where the window goes back to from full screen
  Rect bigWindow_;  // the game's client area of a window too big for the screen
  SDL_Window* window_ = nullptr;
  std::unique_ptr<SdlPresenter> presenter_;
  Picture canvas_;
  ScreenNotice notice_;
};

}  // namespace

std::unique_ptr<Backend> MakeSdlBackend(const BackendOptions& options, std::string* error) {
  auto backend = std::make_unique<SdlBackend>(options);
  if (!backend->Start(error)) return nullptr;
  return backend;
}

}  // namespace platform::os

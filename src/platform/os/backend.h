#pragma once
// The machine under the OS layer: live (SDL2, real clock) or headless (no
// window, virtual clock), chosen once at start-up together with the other
// services' (platform/backends). Only the files of this folder and that start
// see this interface; the game sees window.h, messages.h, clock.h and
// keyboard.h.
#include <cstdint>
#include <memory>
#include <string>

#include "platform/os/window.h"

namespace platform::os {

class Dialog;

struct BackendOptions {
  bool headless = false;
  double fps = 60.0;
  std::int64_t seedSeconds = 0;   // headless: the clock's start moves this much later
  bool refuseFullScreen = false;  // headless: a window system without full screen (tests)
};

class Window {
 public:
  WindowClass windowClass;
  std::string title;
  std::uint32_t style = 0;
  Rect frame;   // outer rectangle on the screen, as asked for
  Rect client;  // client area on the screen
  bool fullScreen = false;
  void* native = nullptr;  // the backend's own window object
};

class Backend {
 public:
  virtual ~Backend() = default;
  virtual bool IsHeadless() const = 0;

  virtual std::int64_t NowNanoseconds() = 0;
  virtual std::int64_t WallClockSeconds() = 0;
  // Live: waits until the next turn is due. Headless: advances the clock by
  // one turn.
  virtual void EndTurn() = 0;
  // Live, a turn that runs behind the pace renders no picture, and the turn
  // after it then has none to present. Headless, every turn has one.
  virtual bool TurnRendersPicture() const { return true; }
  virtual bool PreviousTurnRenderedPicture() const { return true; }

  // Turns window-system events into posted messages and key state.
  virtual void PumpEvents() = 0;

  virtual Rect DesktopRect() = 0;
  // Fills window.client and window.native; false when refused.
  virtual bool CreateNativeWindow(Window& window) = 0;
  virtual void SetPointerVisible(bool visible) = 0;
  virtual bool EnterFullScreen(Window& window, int width, int height) = 0;
  // May exchange the picture's pixels for a buffer of the same size.
  virtual void Present(Window& window, Picture& picture, Rect destination) = 0;
  virtual void ShowMessageBox(const std::string& caption, const std::string& text) = 0;
  // Runs a modal dialog until it ends; returns its result.
  virtual std::intptr_t RunDialog(Dialog& dialog) = 0;
};

// Starts the backend: false (with a reason) when the live one cannot start.
bool StartBackend(const BackendOptions& options, std::string* error = nullptr);
void StopBackend();
Backend& CurrentBackend();  // starts a headless one when none was started
bool IsHeadless();

std::unique_ptr<Backend> MakeHeadlessBackend(const BackendOptions& options);
std::unique_ptr<Backend> MakeSdlBackend(const BackendOptions& options, std::string* error);

// Used by the backends: the keyboard array and the window of the program.
void SetKeyDown(int virtualKey, bool down);
void ClearKeyboard();

}  // namespace platform::os

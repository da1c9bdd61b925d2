#pragma once
// The main window and what is shown in it. One window of the program's own
// class; the live backend makes it an SDL window, the headless one keeps only
// its numbers and the last picture presented.
#include <cstdint>
#include <string>
#include <vector>

namespace platform::os {

struct Rect {
  int left = 0, top = 0, right = 0, bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
};

struct Point {
  int x = 0, y = 0;
};

class Window;
using LResult = std::intptr_t;
using WindowProc = LResult (*)(Window* window, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam);

struct WindowClass {
  std::string name;
  std::uint32_t style = 0;
  WindowProc proc = nullptr;
  int windowExtraBytes = 0;
  int iconResource = 0;  // resource id of the icon, 0 for none
};

// Window styles the program uses.
constexpr std::uint32_t kWsVisible = 0x10000000;
constexpr std::uint32_t kCsVRedraw = 0x0001;
constexpr std::uint32_t kCsHRedraw = 0x0002;

bool RegisterWindowClass(const WindowClass& windowClass);
// Creates a window of a registered class; null when the class is unknown or
// the window system refuses. Position and size are the outer frame's.
Window* CreateMainWindow(const std::string& className, const std::string& title, std::uint32_t style, int x, int y,
                         int width, int height);
Window* MainWindow();  // the one window created, or null

// The desktop's client rectangle (origin 0, 0) and its colour depth as the
// program sees it: 24 bits for any true-colour desktop.
Rect DesktopRect();
int DesktopBitsPerPixel();

// The client area in client coordinates, and a client point on the screen.
Rect GetClientRect(Window* window);
Point ClientToScreen(Window* window, Point p);

// The pointer's display counter, as the Windows call keeps it: the pointer
// shows while the counter is 0 or more. Returns the new counter.
int ShowCursor(bool show);

// Full screen: the window covers the screen and pictures of width x height are
// scaled to it with their aspect kept. False when no full-screen window can
// be had (the caller then falls back to a window).
bool EnterFullScreen(Window* window, int width, int height);

// A picture in 0x00RRGGBB pixels, row after row.
struct Picture {
  int width = 0, height = 0;
  std::vector<std::uint32_t> pixels;
};

// Shows a picture in the window: in a window, copied 1:1 into the client area
// at `destination` (client coordinates); in full screen, scaled to the screen.
// The window may keep the picture's pixels, leaving a buffer of the same size
// and unknown contents in exchange: callers draw every picture afresh.
void PresentPicture(Window* window, Picture& picture, Rect destination);
// The last picture presented (what the screen shows), for screenshots. Kept
// only when asked for: copying every frame costs time.
void KeepPresentedPictures(bool keep);
const Picture& LastPresentedPicture();
// False when a presented picture would reach nobody: no window system shows
// it and none is kept. Presenting then need not make the picture at all.
bool PresentedPicturesSeen();

}  // namespace platform::os

namespace platform::os {
// Forgets the window, its classes and the pointer counter: for tests.
void ResetWindows();
}  // namespace platform::os

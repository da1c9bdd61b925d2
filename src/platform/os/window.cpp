#include "platform/os/window.h"

#include <cstdio>
#include <memory>
#include <vector>

#include "platform/os/backend.h"

namespace platform::os {

namespace {
std::vector<WindowClass> g_classes;
std::unique_ptr<Window> g_window;
int g_cursorCounter = 0;
Picture g_lastPicture;
bool g_keepPictures = false;
}  // namespace

bool RegisterWindowClass(const WindowClass& windowClass) {
  if (windowClass.name.empty() || !windowClass.proc) return false;
  for (const WindowClass& c : g_classes)
    if (c.name == windowClass.name) return false;  // already registered
  g_classes.push_back(windowClass);
  return true;
}

Window* CreateMainWindow(const std::string& className, const std::string& title, std::uint32_t style, int x, int y,
                         int width, int height) {
  const WindowClass* found = nullptr;
  for (const WindowClass& c : g_classes)
    if (c.name == className) found = &c;
  if (!found || width <= 0 || height <= 0) return nullptr;
  auto window = std::make_unique<Window>();
  window->windowClass = *found;
  window->title = title;
  window->style = style;
  window->frame = {x, y, x + width, y + height};
  if (!CurrentBackend().CreateNativeWindow(*window)) return nullptr;
  g_window = std::move(window);
  return g_window.get();
}

Window* MainWindow() { return g_window.get(); }

Rect DesktopRect() { return CurrentBackend().DesktopRect(); }

int DesktopBitsPerPixel() { return 24; }

Rect GetClientRect(Window* window) {
  if (!window) return {};
  return {0, 0, window->client.Width(), window->client.Height()};
}

Point ClientToScreen(Window* window, Point p) {
  if (!window) return p;
  return {p.x + window->client.left, p.y + window->client.top};
}

int ShowCursor(bool show) {
  g_cursorCounter += show ? 1 : -1;
  CurrentBackend().SetPointerVisible(g_cursorCounter >= 0);
  return g_cursorCounter;
}

bool EnterFullScreen(Window* window, int width, int height) {
  if (!window || width <= 0 || height <= 0) return false;
  if (!CurrentBackend().EnterFullScreen(*window, width, height)) {
    std::fputs("zarn: full screen refused by the window system; running in a window\n", stderr);
    return false;
  }
  window->fullScreen = true;
  return true;
}

void KeepPresentedPictures(bool keep) { g_keepPictures = keep; }

void PresentPicture(Window* window, Picture& picture, Rect destination) {
  if (g_keepPictures) {
    g_lastPicture.width = picture.width;
    g_lastPicture.height = picture.height;
    g_lastPicture.pixels.assign(picture.pixels.begin(), picture.pixels.end());
  }
  if (window) CurrentBackend().Present(*window, picture, destination);
}

const Picture& LastPresentedPicture() { return g_lastPicture; }

bool PresentedPicturesSeen() { return g_keepPictures || !CurrentBackend().IsHeadless(); }

void ResetWindows() {
  g_classes.clear();
  g_window.reset();
  g_cursorCounter = 0;
  g_lastPicture = {};
  g_keepPictures = false;
}

}  // namespace platform::os

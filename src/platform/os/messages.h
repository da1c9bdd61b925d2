#pragma once
// The message queue of the program's one thread, with the Windows semantics
// the game relies on: posted messages first, then WM_QUIT, then WM_TIMER for
// a timer whose period has passed (at most one pending per id; missed periods
// are lost). Window-system events (activation, paint, close, keys) arrive as
// posted messages through the backend.
#include <cstdint>
#include "platform/os/timer_table.h"

#include "platform/os/window.h"

namespace platform::os {

namespace msg {
constexpr std::uint32_t kDestroy = 0x0002;
constexpr std::uint32_t kPaint = 0x000F;
constexpr std::uint32_t kClose = 0x0010;
constexpr std::uint32_t kQuit = 0x0012;
constexpr std::uint32_t kActivateApp = 0x001C;
constexpr std::uint32_t kKeyDown = 0x0100;
constexpr std::uint32_t kKeyUp = 0x0101;
constexpr std::uint32_t kSysKeyDown = 0x0104;
constexpr std::uint32_t kSysKeyUp = 0x0105;
constexpr std::uint32_t kInitDialog = 0x0110;
constexpr std::uint32_t kCommand = 0x0111;
constexpr std::uint32_t kSysCommand = 0x0112;
constexpr std::uint32_t kTimer = 0x0113;
constexpr std::uint32_t kMciNotify = 0x03B9;
}  // namespace msg

constexpr std::uintptr_t kScKeyMenu = 0xF100;
constexpr std::uintptr_t kScClose = 0xF060;

struct Message {
  Window* window = nullptr;
  std::uint32_t message = 0;
  std::uintptr_t wParam = 0;
  std::intptr_t lParam = 0;
};

// Removes the next message, if any (PeekMessage with PM_REMOVE).
bool PeekMessage(Message& out);
void PostMessage(Window* window, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam);
void PostQuitMessage(int exitCode);
// Calls the window procedure of the message's window; messages for no window
// are dropped.
LResult DispatchMessage(const Message& m);
// Keyboard messages need no translation here: the game reads key state.
inline void TranslateMessage(const Message&) {}
// What the window system does with a message the program leaves to it.
LResult DefWindowProc(Window* window, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam);

// Periodic timers on a window. Arming a running id restarts its period.
void SetTimer(Window* window, std::uintptr_t id, std::uint32_t periodMs);
void KillTimer(Window* window, std::uintptr_t id);
// The armed timers, for a record of the run's state.
std::vector<TimerTable::State> TimerSnapshot();

// Set when the window is closed from outside (the default handling of
// WM_CLOSE), when a scripted run has played its last turn or when an end
// signal came (end_signals.h): the main loop
// then ends the program in its orderly way.
bool CloseRequested();
void RequestClose();

// Forgets every queued message, timer and request: a fresh queue for tests.
void ResetMessageQueue();

}  // namespace platform::os

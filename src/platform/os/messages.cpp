#include "platform/os/messages.h"

#include <deque>

#include "platform/os/backend.h"
#include "platform/os/clock.h"
#include "platform/os/end_signals.h"
#include "platform/os/timer_table.h"
#include "platform/os/turns.h"

namespace platform::os {

namespace {
struct Queue {
  std::deque<Message> posted;
  bool quitPosted = false;
  int quitCode = 0;
  TimerTable timers;
  Window* timerWindow = nullptr;
  bool closeRequested = false;
};
Queue g_queue;
}  // namespace

bool PeekMessage(Message& out) {
  ApplyScriptedInput();
  CurrentBackend().PumpEvents();
  if (!g_queue.posted.empty()) {
    out = g_queue.posted.front();
    g_queue.posted.pop_front();
    return true;
  }
  if (g_queue.quitPosted) {
    g_queue.quitPosted = false;
    out = {nullptr, msg::kQuit, static_cast<std::uintptr_t>(g_queue.quitCode), 0};
    return true;
  }
  if (auto id = g_queue.timers.TakeDue(NowNanoseconds())) {
    out = {g_queue.timerWindow, msg::kTimer, *id, 0};
    return true;
  }
  return false;
}

void PostMessage(Window* window, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
  g_queue.posted.push_back({window, message, wParam, lParam});
}

void PostQuitMessage(int exitCode) {
  g_queue.quitPosted = true;
  g_queue.quitCode = exitCode;
}

LResult DispatchMessage(const Message& m) {
  if (!m.window || !m.window->windowClass.proc) return 0;
  return m.window->windowClass.proc(m.window, m.message, m.wParam, m.lParam);
}

LResult DefWindowProc(Window* window, std::uint32_t message, std::uintptr_t wParam, std::intptr_t) {
  switch (message) {
    case msg::kClose:
      // Windows would destroy the window and leave the loop running without
      // it; we end the program the orderly way instead, so nothing is lost.
      RequestClose();
      return 0;
    case msg::kSysCommand:
      if ((wParam & 0xFFF0) == kScClose) PostMessage(window, msg::kClose, 0, 0);
      return 0;
    case msg::kSysKeyDown:
      // Alt or F10 alone would open the system menu.
      PostMessage(window, msg::kSysCommand, kScKeyMenu, 0);
      return 0;
    default: return 0;
  }
}

void SetTimer(Window* window, std::uintptr_t id, std::uint32_t periodMs) {
  g_queue.timerWindow = window;
  g_queue.timers.Arm(id, periodMs, NowNanoseconds());
}

void KillTimer(Window*, std::uintptr_t id) { g_queue.timers.Kill(id); }

bool CloseRequested() { return g_queue.closeRequested || EndSignal() != 0; }

void RequestClose() { g_queue.closeRequested = true; }

void ResetMessageQueue() { g_queue = Queue{}; }

std::vector<TimerTable::State> TimerSnapshot() { return g_queue.timers.Snapshot(); }

}  // namespace platform::os

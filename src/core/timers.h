#pragma once
// The program's one table of timer ids. Every delayed or periodic action is
// a timer on the main window; the window procedure holds the handlers.
#include <cstdint>

namespace core {

constexpr std::uintptr_t kTimerClock = 2;         // 1000 ms: elapsedSeconds
constexpr std::uintptr_t kTimerReplayStart = 4;   // 10000 ms, one-shot
constexpr std::uintptr_t kTimerDemoRecord = 5;    // 100 ms
constexpr std::uintptr_t kTimerDemoPlay = 6;      // 100 ms
constexpr std::uintptr_t kTimerQualityLatch = 8;  // 500 ms, one-shot
constexpr std::uintptr_t kTimerMusicLatch = 9;    // 500 ms, one-shot
constexpr std::uintptr_t kTimerConfigLatch = 10;  // 250 ms, one-shot
constexpr std::uintptr_t kTimerToggleLatch = 11;  // 200 ms, one-shot
constexpr std::uintptr_t kTimerCalibration = 15;  // 5000 ms, one-shot
constexpr std::uintptr_t kTimerOrderShown = 16;   // 800 ms, one-shot
constexpr std::uintptr_t kTimerOrderHidden = 17;  // 1000 ms, one-shot
constexpr std::uintptr_t kTimerScoreCount = 18;   // 240 ms, 17 ticks

}  // namespace core

#pragma once
// What a run has achieved so far, for the state dump and the autopilot: one
// entry per finished stage, and whether the All Cleared screen was reached.
#include <cstdint>
#include <string>
#include <vector>

namespace game {

struct StageRecord {
  int stage = 0;
  int score = 0;
  std::string verdict;     // as the result screen shows it
  std::int64_t turns = 0;  // playing turns from Space on the intro to the result
};

struct RunLog {
  std::vector<StageRecord> stages;
  bool allClearedSeen = false;
  std::int64_t playingTurns = 0;  // of the stage being played
};

extern RunLog runLog;

}  // namespace game

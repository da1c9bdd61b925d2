#pragma once
// The game reads the keyboard's state once a turn, so a key pressed and
// released between two turns (a quick tap is shorter than a turn) would never
// be seen. Such a release is held back to the end of the turn: the key then
// counts as down for exactly one turn. Keys are the window system's own
// codes; nothing here knows which.
#include <cstdint>
#include <vector>

namespace platform::os {

class KeyTaps {
 public:
  void Pressed(std::int32_t key);
  // True when the release must wait: the key went down in this turn.
  bool HoldRelease(std::int32_t key);
  // The turn is over: the releases held back, to be applied now.
  std::vector<std::int32_t> EndTurn();

 private:
  std::vector<std::int32_t> pressedThisTurn_;
  std::vector<std::int32_t> held_;
};

}  // namespace platform::os

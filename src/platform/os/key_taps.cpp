#include "platform/os/key_taps.h"

#include <algorithm>
#include <utility>

namespace platform::os {

void KeyTaps::Pressed(std::int32_t key) {
  // Pressed again before the turn ended: it is held now, and a release held
  // back from the first press would let it go too early.
  std::erase(held_, key);
  if (std::find(pressedThisTurn_.begin(), pressedThisTurn_.end(), key) == pressedThisTurn_.end())
    pressedThisTurn_.push_back(key);
}

bool KeyTaps::HoldRelease(std::int32_t key) {
  if (std::find(pressedThisTurn_.begin(), pressedThisTurn_.end(), key) == pressedThisTurn_.end()) return false;
  if (std::find(held_.begin(), held_.end(), key) == held_.end()) held_.push_back(key);
  return true;
}

std::vector<std::int32_t> KeyTaps::EndTurn() {
  pressedThisTurn_.clear();
  return std::exchange(held_, {});
}

}  // namespace platform::os

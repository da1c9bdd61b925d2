#include "game/random.h"

namespace game {

int ClassicRandom::Next() {
  state_ = state_ * 214013u + 2531011u;
  return static_cast<int>((state_ >> 16) & 0x7FFFu);
}

}  // namespace game

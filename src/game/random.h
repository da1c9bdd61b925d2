#pragma once
// The pseudo-random generator the order draws use: the classic linear
// congruential rand() of the platform the game was first made for, so that a
// seed gives the same orders there and here.
#include <cstdint>

namespace game {

class ClassicRandom {
 public:
  explicit ClassicRandom(std::uint32_t seed) : state_(seed) {}
  // 0 .. 32767.
  int Next();

 private:
  std::uint32_t state_;
};

}  // namespace game

#pragma once
// A line the platform itself has to tell the player (where a screenshot went,
// or why it did not), shown for a few seconds as a strip over the bottom of
// the window. Drawn on the screen only: the game's picture, and so every
// screenshot and test picture, stays untouched.
#include <chrono>
#include <string>

#include "platform/os/window.h"

namespace platform::os {

class ScreenNotice {
 public:
  using Clock = std::chrono::steady_clock;
  static constexpr std::chrono::seconds kShownFor{4};

  void Show(std::string text, Clock::time_point now) {
    text_ = std::move(text);
    until_ = now + kShownFor;
  }
  bool Due(Clock::time_point now) const { return !text_.empty() && now < until_; }
  // The text on black, `width` pixels wide, on as many lines as it needs.
  Picture Strip(int width) const;

 private:
  std::string text_;
  Clock::time_point until_{};
};

}  // namespace platform::os

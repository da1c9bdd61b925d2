#include "platform/os/pacer.h"

#include <algorithm>

namespace platform::os {

Pacer::Pacer(std::int64_t turnNanoseconds, int maxTurnsPerPicture)
    : turn_(std::max<std::int64_t>(turnNanoseconds, 1)), maxSkipped_(std::max(maxTurnsPerPicture, 1) - 1) {}

std::int64_t Pacer::EndTurn(std::int64_t now) {
  previousRendered_ = renders_;
  due_ += turn_;
  // Time lost beyond what the skipped turns can make up is let go: after a
  // stall the game goes on from now instead of rushing through the gap.
  due_ = std::max(due_, now - maxSkipped_ * turn_);
  // A whole slot behind: this turn catches up without a picture, unless the
  // last picture already carries as many turns as one may.
  const bool behind = now - due_ >= turn_;
  if (behind && skipped_ < maxSkipped_) {
    ++skipped_;
    renders_ = false;
  } else {
    skipped_ = 0;
    renders_ = true;
  }
  return std::max(due_, now);
}

}  // namespace platform::os

#include "platform/rm/render_run_speeds.h"

#include <algorithm>
#include <cmath>

namespace platform::rm {

const std::vector<float>& RunSpeeds::Shares(int runs) {
  const auto n = static_cast<std::size_t>(std::max(runs, 1));
  if (speed_.size() != n) speed_.assign(n, 1.0f);
  float sum = 0;
  for (float s : speed_) sum += s;
  shares_.resize(n);
  for (std::size_t k = 0; k < n; ++k) shares_[k] = speed_[k] / sum;
  return shares_;
}

void RunSpeeds::Learn(const std::vector<float>& work, const std::vector<double>& ms) {
  const std::size_t n = speed_.size();
  if (n < 2 || work.size() < n || ms.size() < n) return;
  std::vector<float>& measured = measured_;
  measured.resize(n);
  float mean = 0;
  for (std::size_t k = 0; k < n; ++k) {
    if (!(work[k] > 0) || !(ms[k] > 0)) return;  // a run with nothing to time says nothing
    measured[k] = work[k] / static_cast<float>(ms[k]);
    if (!std::isfinite(measured[k])) return;
    mean += measured[k];
  }
  mean /= static_cast<float>(n);
  // Smoothed, and bounded, so that one picture whose thread lost its core
  // for a while does not hand the next one's work all to the others.
  constexpr float kNew = 0.25f, kLeast = 0.5f, kMost = 2.0f;
  for (std::size_t k = 0; k < n; ++k)
    speed_[k] = std::clamp((1 - kNew) * speed_[k] + kNew * measured[k] / mean, kLeast, kMost);
}

}  // namespace platform::rm

#pragma once
// How fast each thread's run of bands has gone against the guess of its
// work over the last pictures, so that the next picture's runs can be sized
// to end together: a thread whose caches are colder (it reads the faces the
// caller queued) or whose core is shared gets less. Only which thread
// draws which band depends on it, never a pixel.
#include <vector>

namespace platform::rm {

class RunSpeeds {
 public:
  // Each of `runs` runs' share of the work; they sum to 1.
  const std::vector<float>& Shares(int runs);
  // After a picture: each run had `work` guessed and took `ms` of wall clock.
  void Learn(const std::vector<float>& work, const std::vector<double>& ms);

 private:
  std::vector<float> speed_;  // each run's, relative to their mean
  std::vector<float> shares_;
  std::vector<float> measured_;  // the last picture's speeds, kept to spare an allocation a picture
};

}  // namespace platform::rm

#pragma once
// Which performance the game's music gets, chosen once at start-up
// (platform/backends): the synthesizer when live, the silent performance
// (no SoundFont, no synthesis) when headless.
#include <memory>

#include "platform/music/performance.h"

namespace platform::music {

class Service {
 public:
  virtual ~Service() = default;
  virtual HResult CreatePerformance(Ref<Performance>* out) const = 0;
};

std::unique_ptr<Service> MakeSynthService();
std::unique_ptr<Service> MakeSilentService();

}  // namespace platform::music

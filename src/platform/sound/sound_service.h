#pragma once
// Where the game's sound goes, chosen once at start-up (platform/backends):
// OpenAL's default device when live; nowhere when headless, where the game
// runs silent without touching OpenAL; OpenAL's loopback device for tests,
// which mixes only when asked to.
#include <memory>

#include "platform/ref.h"
#include "platform/sound/sound_device.h"

namespace platform::sound {

class Service {
 public:
  virtual ~Service() = default;
  // kNoDriver when this side has no device, or its device does not open.
  virtual HResult OpenDevice(Ref<Device>* out) const = 0;
};

std::unique_ptr<Service> MakeLiveService();
std::unique_ptr<Service> MakeNullService();
std::unique_ptr<Service> MakeLoopbackService();

}  // namespace platform::sound

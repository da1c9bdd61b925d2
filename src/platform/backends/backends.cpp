#include "platform/backends/backends.h"

namespace platform {

Backends::Backends(bool headless)
    : sound_(headless ? sound::MakeNullService() : sound::MakeLiveService()),
      music_(headless ? music::MakeSilentService() : music::MakeSynthService()),
      joystick_(headless ? joystick::DeviceKind::kScripted : joystick::DeviceKind::kLive) {}

std::unique_ptr<Backends> Backends::Start(const os::BackendOptions& options, std::string* error) {
  if (!os::StartBackend(options, error)) return nullptr;
  return std::unique_ptr<Backends>(new Backends(options.headless));
}

Backends::~Backends() { os::StopBackend(); }

}  // namespace platform

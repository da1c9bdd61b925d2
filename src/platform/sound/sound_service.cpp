#include "platform/sound/sound_service.h"

namespace platform::sound {

namespace {

class OpenAlService final : public Service {
 public:
  explicit OpenAlService(DeviceKind kind) : kind_(kind) {}
  HResult OpenDevice(Ref<Device>* out) const override { return Device::Create(out, kind_); }

 private:
  DeviceKind kind_;
};

class NullService final : public Service {
 public:
  HResult OpenDevice(Ref<Device>* out) const override {
    if (!out) return kInvalidParam;
    *out = nullptr;
    return kNoDriver;
  }
};

}  // namespace

std::unique_ptr<Service> MakeLiveService() { return std::make_unique<OpenAlService>(DeviceKind::kLive); }
std::unique_ptr<Service> MakeNullService() { return std::make_unique<NullService>(); }
std::unique_ptr<Service> MakeLoopbackService() { return std::make_unique<OpenAlService>(DeviceKind::kLoopback); }

}  // namespace platform::sound

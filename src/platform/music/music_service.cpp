#include "platform/music/music_service.h"

#include "platform/music/silent_performance.h"
#include "platform/music/synth_performance.h"

namespace platform::music {

namespace {

template <class Side>
class PerformanceService final : public Service {
 public:
  HResult CreatePerformance(Ref<Performance>* out) const override {
    if (!out) return kEInvalidArg;
    *out = MakeRef<Side>();
    return kOk;
  }
};

}  // namespace

std::unique_ptr<Service> MakeSynthService() { return std::make_unique<PerformanceService<SynthPerformance>>(); }
std::unique_ptr<Service> MakeSilentService() { return std::make_unique<PerformanceService<SilentPerformance>>(); }

}  // namespace platform::music

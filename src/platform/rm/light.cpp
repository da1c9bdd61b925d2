#include "platform/rm/light.h"

#include "platform/rm/frame.h"
#include "platform/rm/rm_result.h"

namespace platform::rm {

HResult Light::SetColorRGB(float r, float g, float b) {
  color_ = ClampColor({r, g, b, 1.0f});
  return kOk;
}

bool Light::WorldPosition(Vec3* out) const {
  if (!frame_) return false;
  *out = frame_->WorldMatrix().origin;
  return true;
}

}  // namespace platform::rm

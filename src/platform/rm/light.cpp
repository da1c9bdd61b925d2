#include "platform/rm/light.h"

#include <cmath>

#include "platform/rm/frame.h"
#include "platform/rm/rm_result.h"

namespace platform::rm {

HResult Light::SetColorRGB(float r, float g, float b) {
  color_ = ClampColor({r, g, b, 1.0f});
  return kOk;
}

HResult Light::SetAttenuation(float constant, float linear, float quadratic) {
  // Negative or non-finite terms could make the divisor zero or negative.
  for (float v : {constant, linear, quadratic}) {
    if (!std::isfinite(v) || v < 0.0f) return kErrBadValue;
  }
  if (constant == 0.0f && linear == 0.0f && quadratic == 0.0f) return kErrBadValue;
  constant_ = constant;
  linear_ = linear;
  quadratic_ = quadratic;
  return kOk;
}

bool Light::WorldPosition(Vec3* out) const {
  if (!frame_) return false;
  *out = frame_->WorldMatrix().origin;
  return true;
}

bool Light::WorldDirection(Vec3* out) const {
  if (!frame_) return false;
  *out = frame_->WorldMatrix().z;
  return true;
}

}  // namespace platform::rm

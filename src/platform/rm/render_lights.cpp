#include "platform/rm/render_lights.h"

#include <algorithm>
#include <cmath>

#include "platform/rm/light.h"

namespace platform::rm {

void RenderLights::Add(const Light& light, Vec3 worldPos, Vec3 worldDir, const Matrix& worldToCamera) {
  float grey = Grey(ClampColor(light.GetColor()));
  switch (light.Type()) {
    case LightType::Ambient: ambient += grey; break;
    case LightType::Directional:
      directionals.push_back({-Normalize(worldToCamera.TransformVector(worldDir)), grey});
      break;
    default:
      points.push_back({worldToCamera.TransformPoint(worldPos), grey, light.ConstantAttenuation(),
                        light.LinearAttenuation(), light.QuadraticAttenuation()});
      break;
  }
}

float RenderLights::At(Vec3 p, Vec3 n) const {
  float sum = ambient;
  for (const Point& l : points) {
    Vec3 d = l.position - p;
    float d2 = Dot(d, d);
    float nd = Dot(n, d);
    if (!(nd > 0.0f) || !(d2 > 0.0f)) continue;
    float dist = std::sqrt(d2);
    float att = l.constant + l.linear * dist + l.quadratic * d2;
    float k = att > 0.0f ? l.intensity / att : l.intensity;
    sum += k * nd / dist;
  }
  for (const Directional& l : directionals) sum += l.intensity * std::max(0.0f, Dot(n, l.toLight));
  // NaN (from a broken normal) lights like nothing rather than poisoning colours.
  return sum >= 0.0f ? std::min(sum, 1.0f) : 0.0f;
}

}  // namespace platform::rm

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

#if defined(__SSE2__)
namespace {

__m128 Dot(const Lanes3& a, const Lanes3& b) {
  return _mm_add_ps(_mm_add_ps(_mm_mul_ps(a.x, b.x), _mm_mul_ps(a.y, b.y)), _mm_mul_ps(a.z, b.z));
}

// mask ? a : b
__m128 Select(__m128 mask, __m128 a, __m128 b) { return _mm_or_ps(_mm_and_ps(mask, a), _mm_andnot_ps(mask, b)); }

}  // namespace

__m128 RenderLights::At(const Lanes3& p, const Lanes3& n) const {
  const __m128 zero = _mm_setzero_ps(), one = _mm_set1_ps(1.0f);
  __m128 sum = _mm_set1_ps(ambient);
  for (const Point& l : points) {
    const Lanes3 d{_mm_sub_ps(_mm_set1_ps(l.position.x), p.x), _mm_sub_ps(_mm_set1_ps(l.position.y), p.y),
                   _mm_sub_ps(_mm_set1_ps(l.position.z), p.z)};
    const __m128 d2 = Dot(d, d), nd = Dot(n, d);
    const __m128 lit = _mm_and_ps(_mm_cmpgt_ps(nd, zero), _mm_cmpgt_ps(d2, zero));
    const __m128 dist = _mm_sqrt_ps(d2), intensity = _mm_set1_ps(l.intensity);
    const __m128 att = _mm_add_ps(_mm_add_ps(_mm_set1_ps(l.constant), _mm_mul_ps(_mm_set1_ps(l.linear), dist)),
                                  _mm_mul_ps(_mm_set1_ps(l.quadratic), d2));
    const __m128 k = Select(_mm_cmpgt_ps(att, zero), _mm_div_ps(intensity, att), intensity);
    // Unlit lanes keep their sum as it is: adding zero could turn -0 into +0.
    sum = Select(lit, _mm_add_ps(sum, _mm_div_ps(_mm_mul_ps(k, nd), dist)), sum);
  }
  for (const Directional& l : directionals) {
    const Lanes3 toLight{_mm_set1_ps(l.toLight.x), _mm_set1_ps(l.toLight.y), _mm_set1_ps(l.toLight.z)};
    // max(x, 0) is x > 0 ? x : 0, as std::max(0, x) is: NaN gives 0.
    sum = _mm_add_ps(sum, _mm_mul_ps(_mm_set1_ps(l.intensity), _mm_max_ps(Dot(n, toLight), zero)));
  }
  // min(sum, 1) is sum < 1 ? sum : 1, which std::min(sum, 1) is too.
  return _mm_and_ps(_mm_cmpge_ps(sum, zero), _mm_min_ps(sum, one));
}
#endif

}  // namespace platform::rm

#pragma once
// The lights of one render, in camera space, as grey intensities (mono
// colour model: a light's colour counts by its luminance; faces keep their
// own colours).
#include <vector>

#include "platform/rm/color.h"
#include "platform/rm/lanes.h"
#include "platform/rm/math.h"

namespace platform::rm {

class Light;

struct RenderLights {
  struct Point {
    Vec3 position;  // camera space
    float intensity;
    float constant, linear, quadratic;
  };
  struct Directional {
    Vec3 toLight;  // camera space, unit: opposite the light's direction
    float intensity;
  };
  float ambient = 0;
  std::vector<Point> points;
  std::vector<Directional> directionals;

  void Clear() {
    ambient = 0;
    points.clear();
    directionals.clear();
  }
  // Adds a light given its world position and direction and the world-to-
  // camera transform. Spot lights count as point lights.
  void Add(const Light& light, Vec3 worldPos, Vec3 worldDir, const Matrix& worldToCamera);

  // The light falling on a surface point with unit normal n, clamped to 1.
  float At(Vec3 p, Vec3 n) const;
#if defined(__SSE2__)
  // At for four points, one per lane, each lit as At lights it alone.
  __m128 At(const Lanes3& p, const Lanes3& n) const;
#endif
};

inline float Grey(const Color& c) { return 0.299f * c.r + 0.587f * c.g + 0.114f * c.b; }

}  // namespace platform::rm

#pragma once
// Lights hang on frames. A point light sits at its frame's origin; an ambient
// light lights every face of the scene alike. Colours are stored as given;
// the renderer decides how a colour model uses them.
#include <cstdint>

#include "platform/ref.h"
#include "platform/result.h"
#include "platform/rm/color.h"
#include "platform/rm/math.h"

namespace platform::rm {

class Frame;

enum class LightType : std::uint32_t {
  Ambient = 0,
  Point = 1,
  Spot = 2,
  Directional = 3,
  ParallelPoint = 4,
};

class Light final : public RefCounted {
 public:
  explicit Light(LightType type, Color color) : type_(type), color_(color) {}

  LightType Type() const { return type_; }
  Color GetColor() const { return color_; }
  HResult SetColorRGB(float r, float g, float b);

  // Attenuation 1 / (constant + linear d + quadratic d^2): the game keeps
  // the defaults, no fall-off with distance.
  float ConstantAttenuation() const { return 1.0f; }
  float LinearAttenuation() const { return 0.0f; }
  float QuadraticAttenuation() const { return 0.0f; }

  // The carrying frame's origin in world coordinates; false when unattached.
  bool WorldPosition(Vec3* out) const;

 private:
  friend class Frame;
  LightType type_;
  Color color_;
  const Frame* frame_ = nullptr;
};

}  // namespace platform::rm

#pragma once
// A shadow visual: the caster mesh, placed by the frame that holds the shadow,
// flattened onto a plane (point and normal in world coordinates) as seen from a
// light, darkening what lies under it. Drawn by the renderer; ray picks never
// hit it.
#include "platform/ref.h"
#include "platform/rm/light.h"
#include "platform/rm/math.h"
#include "platform/rm/mesh_builder.h"
#include "platform/rm/visual.h"

namespace platform::rm {

class Shadow final : public Visual {
 public:
  // normal is stored normalised; the factory refuses a zero normal.
  Shadow(Ref<MeshBuilder> caster, Ref<Light> light, Vec3 planePoint, Vec3 planeNormal)
      : caster_(std::move(caster)), light_(std::move(light)), point_(planePoint), normal_(Normalize(planeNormal)) {}

  VisualKind Kind() const override { return VisualKind::Shadow; }

  const MeshBuilder& Caster() const { return *caster_; }
  const Light& GetLight() const { return *light_; }
  Vec3 PlanePoint() const { return point_; }
  Vec3 PlaneNormal() const { return normal_; }

 private:
  Ref<MeshBuilder> caster_;
  Ref<Light> light_;
  Vec3 point_;
  Vec3 normal_;
};

}  // namespace platform::rm

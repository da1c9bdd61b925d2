#include "platform/rm/rm_object.h"

#include <cmath>

namespace platform::rm {

const MeshBuilder* Visual::AsMesh() const {
  return Kind() == VisualKind::Mesh ? static_cast<const MeshBuilder*>(this) : nullptr;
}
const Shadow* Visual::AsShadow() const {
  return Kind() == VisualKind::Shadow ? static_cast<const Shadow*>(this) : nullptr;
}
MeshBuilder* Visual::AsMesh() { return Kind() == VisualKind::Mesh ? static_cast<MeshBuilder*>(this) : nullptr; }
Shadow* Visual::AsShadow() { return Kind() == VisualKind::Shadow ? static_cast<Shadow*>(this) : nullptr; }

HResult CreateFrame(Frame* parent, Ref<Frame>* out) {
  if (!out) return kErrBadValue;
  Ref<Frame> frame = MakeRef<Frame>();
  if (parent) {
    HResult hr = parent->AddChild(frame);
    if (Failed(hr)) return hr;
  }
  *out = std::move(frame);
  return kOk;
}

HResult CreateMeshBuilder(Ref<MeshBuilder>* out) {
  if (!out) return kErrBadValue;
  *out = MakeRef<MeshBuilder>();
  return kOk;
}

HResult CreateLight(LightType type, float r, float g, float b, Ref<Light>* out) {
  if (!out) return kErrBadValue;
  if (static_cast<std::uint32_t>(type) > static_cast<std::uint32_t>(LightType::ParallelPoint)) {
    return kErrBadValue;
  }
  *out = MakeRef<Light>(type, ClampColor({r, g, b, 1.0f}));
  return kOk;
}

HResult CreateShadow(const Ref<MeshBuilder>& caster, const Ref<Light>& light, Vec3 planePoint, Vec3 planeNormal,
                     Ref<Shadow>* out) {
  if (!out) return kErrBadValue;
  if (!caster || !light) return kErrBadObject;
  auto finite = [](Vec3 v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); };
  if (!finite(planePoint) || !finite(planeNormal) || Normalize(planeNormal) == Vec3{}) {
    return kErrBadValue;
  }
  *out = MakeRef<Shadow>(caster, light, planePoint, planeNormal);
  return kOk;
}

}  // namespace platform::rm

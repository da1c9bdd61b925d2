#pragma once
// Creating scene objects.
#include "platform/ref.h"
#include "platform/result.h"
#include "platform/rm/color.h"
#include "platform/rm/frame.h"
#include "platform/rm/light.h"
#include "platform/rm/math.h"
#include "platform/rm/mesh_builder.h"
#include "platform/rm/rm_result.h"
#include "platform/rm/shadow.h"

namespace platform::rm {

// A frame at the origin of parent; a null parent makes a scene root.
HResult CreateFrame(Frame* parent, Ref<Frame>* out);
HResult CreateMeshBuilder(Ref<MeshBuilder>* out);
// Colour components are clamped to [0, 1]; alpha is 1.
HResult CreateLight(LightType type, float r, float g, float b, Ref<Light>* out);
// Refuses (kErrBadObject) a null caster or light, (kErrBadValue) a zero or
// non-finite plane.
HResult CreateShadow(const Ref<MeshBuilder>& caster, const Ref<Light>& light, Vec3 planePoint, Vec3 planeNormal,
                     Ref<Shadow>* out);

}  // namespace platform::rm

#pragma once
// What the anchor scene is (see the anchor scene's description in the shared
// bench notes): its mesh, lights, camera and background, in the
// retained-mode conventions (left-handed, y up, the camera looking along +z).
// Our renderer's benchmark and the reference drawn through OSMesa both build
// their scene from here, so they draw the same picture.
#include "platform/rm/mesh_data.h"

namespace bench::anchor {

// The floor and 800 boxes, two triangles per quad, each quad with its own
// face normal; with translucent, every tenth box has alpha 0.5.
platform::rm::MeshData Mesh(bool translucent);

inline constexpr platform::rm::Vec3 kAmbient{0.3f, 0.3f, 0.3f};
inline constexpr platform::rm::Vec3 kPointLight{-50, 100, 30};  // white, no attenuation
inline constexpr platform::rm::Vec3 kBackground{0.05f, 0.45f, 0.05f};
inline constexpr platform::rm::Vec3 kEye{0, 60, -120};
inline constexpr platform::rm::Vec3 kLookAt{0, 0, 45};
// Half the larger side of the picture, seen at the front plane.
inline constexpr float kField = 0.5f, kFront = 1, kBack = 5000;

}  // namespace bench::anchor

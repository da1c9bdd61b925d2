#pragma once
// The half of drawing a mesh between its positions and its pixels: which
// triangles may show, and the light at their corners. Both take any
// stretch of a mesh's triangles, and what they find does not depend on how
// the triangles are split: several threads can share a large mesh.
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "platform/rm/mesh_builder.h"
#include "platform/rm/render_lights.h"
#include "platform/rm/render_vertices.h"

namespace platform::rm {

// The lights found for a mesh's positions, each with the normal it was
// found with; one per thread drawing the mesh.
struct CornerLights {
  std::vector<float> light;             // per position
  std::vector<std::uint32_t> lightFor;  // per position: normal index + 1, 0 while none is found
  std::vector<std::uint32_t> unlit;     // positions whose light is still to find (the first few)

  // None found yet, for a mesh of `positions` positions.
  void Forget(std::size_t positions);
};

// Triangles first..end-1 that may show, in order: not wholly outside one
// plane, and facing the camera. `list` holds them (the first few of it:
// it only grows, since shrunk it would be filled with zeros again as it
// grows back for the next mesh).
std::span<const std::uint32_t> FindShownTriangles(const Points3& camera, const std::uint8_t* outcode,
                                                  const MeshTriangle* triangles, std::size_t first, std::size_t end,
                                                  std::vector<std::uint32_t>& list);

// The light of every position of a shown triangle, with the normal it first
// comes with, into `cache`. True when no position comes with a second
// normal: then the cache holds every corner's light.
bool LightShownPositions(const RenderLights& lights, const Points3& camera, const Vec3* normals,
                         const MeshTriangle* triangles, std::span<const std::uint32_t> shown, CornerLights& cache);

// The light at each corner of `tri` with its own normal, through `cache`: a
// position mostly comes with one normal.
void VertexLights(const RenderLights& lights, const Points3& camera, const Vec3* normals, const MeshTriangle& tri,
                  CornerLights& cache, float (&k)[3]);

}  // namespace platform::rm

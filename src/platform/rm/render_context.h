#pragma once
// What drawing one frame tree needs: where to draw, how to project, the
// lights, the device's settings, and buffers reused from render to render so
// that a steady scene allocates nothing per frame.
#include <cstdint>
#include <vector>

#include "platform/rm/math.h"
#include "platform/rm/quality.h"
#include "platform/rm/raster/target.h"
#include "platform/rm/render_bands.h"
#include "platform/rm/render_clip.h"
#include "platform/rm/render_lights.h"
#include "platform/rm/render_shown.h"
#include "platform/rm/render_transparent.h"
#include "platform/rm/render_vertices.h"

namespace platform::rm {

class Device;
class MeshBuilder;
class Shadow;

// One stretch of a large mesh's triangles, set up by one thread of several.
struct MeshPart {
  std::vector<std::uint32_t> shown;  // the stretch's triangles that may show (the first few)
  CornerLights lights;
  BandWalks opaque;
  TransparentList transparent;
  raster::ClearedRows colorRows, depthRows;  // what the part's faces will write
};

struct RenderScratch {
  Points3 camera;                     // per position, camera space
  std::vector<std::uint8_t> outcode;  // per position
  Points3 screen;                     // per position when in front: x, y and 1/z
  std::vector<Vec3> normal;           // per normal, camera space, unit
  std::vector<std::uint32_t> shown;   // triangles that may show, in order (the first few)
  CornerLights lights;                // of a mesh drawn on one thread
  std::vector<float> faceLight;       // per face, flat shading
  std::vector<std::uint8_t> faceLit;  // per face: faceLight is set
  std::vector<Vec3> shadowWorld;      // per caster position
  std::vector<MeshPart> meshParts;    // only grows
  TransparentList transparent;
  TransparentList shadows;  // drawn after the translucent faces
  // While a render goes band by band: the opaque faces waiting for their
  // bands, and the viewport's clear still to do in each band first.
  bool banded = false;
  BandWalks opaque;
  // Whether the viewport's last render had translucent faces or shadows:
  // only then do its opaque faces go by bands (see Viewport::Render).
  bool blendedLastTime = true;
  // Whether a mesh of this render (and of the viewport's last) was large
  // enough to be set up on every thread: then the picture is not cleared
  // aside (see Viewport::Render).
  bool meshInParts = false, meshInPartsLastTime = false;
  bool clearing = false;
  BandPainter painter;
  unsigned clearR = 0, clearG = 0, clearB = 0;
};

struct RenderContext {
  raster::Target target;
  Projection projection;
  RenderLights lights;
  Quality deviceQuality = kRenderGouraud;
  bool blended = false;  // blended transparency on: alpha < 255 blends
  Device* device = nullptr;
  RenderScratch* scratch = nullptr;
};

// Before drawing anything but a queued triangle (lines, points) during a
// banded render: the clear and the opaque faces so far are drawn whole, and
// the rest of the render draws opaque faces at once.
void StopBanding(RenderContext& ctx);

// Draws one instance of a mesh; translucent faces go to the transparent list.
void DrawMeshInstance(RenderContext& ctx, const MeshBuilder& mesh, const Matrix& toCamera);

// Queues one instance of a shadow (drawn after the translucent faces). frameWorld places
// the caster; the plane and the light are in world coordinates.
void DrawShadowInstance(RenderContext& ctx, const Shadow& shadow, const Matrix& frameWorld,
                        const Matrix& worldToCamera);

}  // namespace platform::rm

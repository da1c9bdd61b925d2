#pragma once
// The anchor scene: a floor with 800 boxes, one ambient and one point light,
// a fixed camera (see the anchor scene's description in the shared bench
// notes). Everything the benchmark needs to draw one frame of it.
#include <string>

#include "platform/ref.h"
#include "platform/rm/device.h"
#include "platform/rm/frame.h"
#include "platform/rm/mesh_builder.h"
#include "platform/rm/viewport.h"
#include "platform/surface/surface.h"

namespace bench {

struct AnchorScene {
  platform::Ref<platform::surface::Surface> backBuffer, zBuffer;
  platform::Ref<platform::rm::Device> device;
  platform::Ref<platform::rm::Viewport> viewport;
  platform::Ref<platform::rm::Frame> root, camera, geometry;
  platform::Ref<platform::rm::MeshBuilder> mesh;

  // Builds the scene for a width x height back buffer of bpp bits; with
  // translucent, every tenth box has alpha 0.5. Aborts on failure: a
  // benchmark of a broken scene would measure nothing.
  AnchorScene(int width, int height, int bpp, bool translucent);
  ~AnchorScene();

  // Clear, render and finish: one whole picture in the back buffer.
  void DrawFrame();
  int TriangleCount() const;
};

}  // namespace bench

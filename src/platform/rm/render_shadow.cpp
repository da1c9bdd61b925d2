// A shadow: the caster's triangles projected from the light onto the plane,
// drawn last so that it darkens whatever lies under it, translucent surfaces
// included (a shadow usually lies just above a large surface such as a table
// top, whose big triangles would sort unreliably against it), once per pixel
// (the device's shadow marks), with a little depth bias toward the camera so
// that it wins against the surface it lies on.
#include <cmath>

#include "platform/rm/device.h"
#include "platform/rm/mesh_builder.h"
#include "platform/rm/render_context.h"
#include "platform/rm/shadow.h"

namespace platform::rm {
namespace {

constexpr std::uint8_t kShadowAlpha = 128;  // about half as bright under a shadow
constexpr float kDepthBias = 1.0005f;       // on 1/z: 0.05% of the distance nearer

}  // namespace

void DrawShadowInstance(RenderContext& ctx, const Shadow& shadow, const Matrix& frameWorld,
                        const Matrix& worldToCamera) {
  if (FillOf(ctx.deviceQuality) != kFillSolid || !ctx.device) return;
  const MeshBuilder& caster = shadow.Caster();
  Vec3 light;
  if (!shadow.GetLight().WorldPosition(&light)) return;
  const Vec3 n = shadow.PlaneNormal(), p0 = shadow.PlanePoint();
  // The light must be above the plane for anything to fall on it.
  const float lightHeight = Dot(n, light - p0);
  if (!(lightHeight > 0.0f)) return;

  const auto& positions = caster.Positions();
  RenderScratch& s = *ctx.scratch;
  if (s.shadowWorld.size() < positions.size()) s.shadowWorld.resize(positions.size());
  if (s.outcode.size() < positions.size()) s.outcode.resize(positions.size());
  const Projection& pr = ctx.projection;
  for (std::size_t i = 0; i < positions.size(); ++i) {
    Vec3 p = frameWorld.TransformPoint(positions[i]);
    float drop = Dot(n, light - p);  // height of the light above p
    // A point level with or above the light has no shadow on the plane.
    if (drop > lightHeight * 1e-4f) {
      Vec3 onPlane = light + (p - light) * (lightHeight / drop);
      s.shadowWorld[i] = worldToCamera.TransformPoint(onPlane);
      s.outcode[i] = pr.Outcode(s.shadowWorld[i]);
    } else {
      s.outcode[i] = 0xFF;
    }
  }

  const std::uint16_t mark = ctx.device->NextShadowMark();
  const raster::TriangleStyle style{false, raster::SpanKind::kShadow, kShadowAlpha};
  for (const MeshTriangle& tri : caster.Triangles()) {
    std::uint8_t o[3];
    CameraVertex in[3];
    for (int c = 0; c < 3; ++c) {
      o[c] = s.outcode[tri.vertex[c]];
      in[c] = {s.shadowWorld[tri.vertex[c]], 0, 0, 0};
    }
    if (o[0] == 0xFF || o[1] == 0xFF || o[2] == 0xFF || (o[0] & o[1] & o[2])) continue;
    CameraVertex out[clip::kMaxClipped];
    int m = ClipPolygon(pr, in, 3, o[0] | o[1] | o[2], out);
    if (m < 3) continue;
    float depth = (in[0].p.z + in[1].p.z + in[2].p.z) * (1.0f / 3.0f);
    raster::ScreenVertex v[clip::kMaxClipped];
    for (int k = 0; k < m; ++k) {
      v[k] = pr.Project(out[k]);
      v[k].invZ *= kDepthBias;
    }
    for (int k = 2; k < m; ++k) s.shadows.Add(v[0], v[k - 1], v[k], style, depth, mark);
  }
}

}  // namespace platform::rm

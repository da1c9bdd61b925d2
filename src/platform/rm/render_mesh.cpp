// One mesh instance: camera-space vertices once, cull the whole object by its
// box, then per triangle: reject by outcodes, cull back faces, light, and
// either rasterize at once (opaque) or queue (translucent).
#include <cmath>

#include "platform/rm/device.h"
#include "platform/rm/mesh_builder.h"
#include "platform/rm/render_context.h"

namespace platform::rm {
namespace {

// Half a step of the brightest channel: below it, corners are the same colour.
constexpr float kSameLight = 0.5f / 255.0f;

struct Corner {
  Vec3 p;
  float r, g, b;
};

raster::ScreenVertex WithColor(raster::ScreenVertex v, const Corner& c) {
  v.r = c.r;
  v.g = c.g;
  v.b = c.b;
  return v;
}

bool BoxOutside(const Projection& pr, const Box& box, const Matrix& m) {
  std::uint8_t all = 0xFF;
  for (int k = 0; k < 8 && all; ++k) {
    Vec3 c{(k & 1) ? box.max.x : box.min.x, (k & 2) ? box.max.y : box.min.y, (k & 4) ? box.max.z : box.min.z};
    all &= pr.ViewOutcode(m.TransformPoint(c));
  }
  return all != 0;
}

// Emits the triangle, clipped when it crosses a plane, as screen triangles.
template <typename Emit>
void ForEachScreenTriangle(const RenderContext& ctx, const Corner (&c)[3], const raster::ScreenVertex* pre[3],
                           std::uint8_t planes, Emit&& emit) {
  if (planes == 0) {
    emit(WithColor(*pre[0], c[0]), WithColor(*pre[1], c[1]), WithColor(*pre[2], c[2]));
    return;
  }
  CameraVertex in[3], out[clip::kMaxClipped];
  for (int k = 0; k < 3; ++k) in[k] = {c[k].p, c[k].r, c[k].g, c[k].b};
  int n = ClipPolygon(ctx.projection, in, 3, planes, out);
  if (n < 3) return;
  raster::ScreenVertex first = ctx.projection.Project(out[0]);
  raster::ScreenVertex prev = ctx.projection.Project(out[1]);
  for (int k = 2; k < n; ++k) {
    raster::ScreenVertex cur = ctx.projection.Project(out[k]);
    emit(first, prev, cur);
    prev = cur;
  }
}

// The light at the polygon's centre with its own normal.
float FaceLight(const RenderContext& ctx, const MeshBuilder& mesh, const MeshFace& face, const Matrix& m) {
  const auto& tris = mesh.Triangles();
  const auto& cam = ctx.scratch->camera;
  if (face.triangleCount == 0) return 0.0f;
  const MeshTriangle& first = tris[face.firstTriangle];
  Vec3 sum = cam[first.vertex[0]] + cam[first.vertex[1]];
  for (std::uint32_t t = 0; t < face.triangleCount; ++t) sum += cam[tris[face.firstTriangle + t].vertex[2]];
  Vec3 centre = sum * (1.0f / static_cast<float>(face.triangleCount + 2));
  return ctx.lights.At(centre, Normalize(m.TransformVector(face.normal)));
}

// Clockwise seen from the camera = facing it; NaN fails the test too.
// Scalar reads: copying the 12-byte vectors whole stalls on the stack.
inline bool FacesCamera(const Vec3* c0, const Vec3* c1, const Vec3* c2) {
  const float ax = c0->x, ay = c0->y, az = c0->z;
  const float ux = c1->x - ax, uy = c1->y - ay, uz = c1->z - az;
  const float vx = c2->x - ax, vy = c2->y - ay, vz = c2->z - az;
  const Vec3 nrm{uy * vz - uz * vy, uz * vx - ux * vz, ux * vy - uy * vx};
  return nrm.x * ax + nrm.y * ay + nrm.z * az < 0.0f;
}

// Camera-space positions, their outcodes and, in front of the camera, their
// screen positions, into the scratch arrays.
void TransformPositions(RenderScratch& s, const Projection& pr, const std::vector<Vec3>& positions, const Matrix& m) {
  const std::size_t n = positions.size();
  if (s.camera.size() < n) {
    s.camera.resize(n);
    s.outcode.resize(n);
    s.screen.resize(n);
  }
  for (std::size_t i = 0; i < n; ++i) {
    Vec3 p = m.TransformPoint(positions[i]);
    s.camera[i] = p;
    std::uint8_t oc = pr.Outcode(p);
    s.outcode[i] = oc;
    if (!(oc & clip::kFront)) {
      float iz = 1.0f / p.z;
      s.screen[i] = {pr.cx + p.x * iz * pr.scale, pr.cy - p.y * iz * pr.scale, iz, 0, 0, 0};
    }
  }
}

// The light at each corner with its own normal, cached per position: a
// position mostly comes with one normal.
void VertexLights(RenderContext& ctx, const MeshTriangle& tri, const std::vector<Vec3>& normals, const Matrix& m,
                  float (&k)[3]) {
  RenderScratch& s = *ctx.scratch;
  for (int c = 0; c < 3; ++c) {
    std::uint32_t vi = tri.vertex[c], ni = tri.normal[c];
    if (s.lightFor[vi] != ni + 1) {
      s.light[vi] = ctx.lights.At(s.camera[vi], Normalize(m.TransformVector(normals[ni])));
      s.lightFor[vi] = ni + 1;
    }
    k[c] = s.light[vi];
  }
}

// A wireframe triangle: only the polygon's own edges (the first and last
// triangle of its fan add one each), not the diagonals of the fan.
void DrawEdges(const RenderContext& ctx, const Corner (&corners)[3], const raster::ScreenVertex* pre[3],
               std::uint8_t planes, bool firstEdge, bool lastEdge) {
  ForEachScreenTriangle(ctx, corners, pre, planes, [&](auto a, auto b, auto c) {
    if (planes) {  // clipped: outline the pieces
      raster::DrawLine(ctx.target, a, b);
      raster::DrawLine(ctx.target, b, c);
      raster::DrawLine(ctx.target, c, a);
      return;
    }
    if (firstEdge) raster::DrawLine(ctx.target, a, b);
    raster::DrawLine(ctx.target, b, c);
    if (lastEdge) raster::DrawLine(ctx.target, c, a);
  });
}

}  // namespace

void DrawMeshInstance(RenderContext& ctx, const MeshBuilder& mesh, const Matrix& m) {
  const auto& positions = mesh.Positions();
  const auto& normals = mesh.Normals();
  const auto& faces = mesh.Faces();
  const auto& triangles = mesh.Triangles();
  const Projection& pr = ctx.projection;
  if (triangles.empty() || mesh.Bounds().empty || BoxOutside(pr, mesh.Bounds(), m)) return;

  Quality q = MinQuality(ctx.deviceQuality, mesh.GetQuality());
  const Quality fill = FillOf(q);
  const bool lit = LightOf(q) != kLightOff;
  // Phong is drawn as Gouraud: per-vertex light, interpolated colours.
  const bool smooth = lit && ShadeOf(q) >= kShadeGouraud;

  RenderScratch& s = *ctx.scratch;
  const std::size_t n = positions.size();
  TransformPositions(s, pr, positions, m);
  if (smooth) {
    s.light.resize(n);
    s.lightFor.assign(n, 0);
  } else if (lit) {
    s.faceLight.resize(faces.size());
    s.faceLit.assign(faces.size(), 0);
  }

  for (std::size_t ti = 0; ti < triangles.size(); ++ti) {
    const MeshTriangle& tri = triangles[ti];
    const std::uint32_t i0 = tri.vertex[0], i1 = tri.vertex[1], i2 = tri.vertex[2];
    const std::uint8_t o0 = s.outcode[i0], o1 = s.outcode[i1], o2 = s.outcode[i2];
    if (o0 & o1 & o2) continue;
    if (!FacesCamera(&s.camera[i0], &s.camera[i1], &s.camera[i2])) continue;
    const Vec3 p0 = s.camera[i0], p1 = s.camera[i1], p2 = s.camera[i2];

    const MeshFace& face = faces[tri.face];
    const Color color = ClampColor(face.color);
    float k[3] = {1.0f, 1.0f, 1.0f};
    if (smooth) {
      VertexLights(ctx, tri, normals, m, k);
    } else if (lit) {
      // One light for the whole polygon, not per fan triangle.
      if (!s.faceLit[tri.face]) {
        s.faceLight[tri.face] = FaceLight(ctx, mesh, face, m);
        s.faceLit[tri.face] = 1;
      }
      k[0] = k[1] = k[2] = s.faceLight[tri.face];
    }
    const float cr = color.r * 255.0f, cg = color.g * 255.0f, cb = color.b * 255.0f;
    const Corner corners[3] = {{p0, cr * k[0], cg * k[0], cb * k[0]},
                               {p1, cr * k[1], cg * k[1], cb * k[1]},
                               {p2, cr * k[2], cg * k[2], cb * k[2]}};
    const raster::ScreenVertex* pre[3] = {&s.screen[i0], &s.screen[i1], &s.screen[i2]};
    const std::uint8_t planes = o0 | o1 | o2;

    if (fill == kFillSolid) {
      // Corners lit alike (as under a distant light) fill flat: the same
      // pixels, without interpolating colours along every span.
      const bool varies = smooth && (std::abs(k[0] - k[1]) > kSameLight || std::abs(k[0] - k[2]) > kSameLight);
      raster::TriangleStyle style{varies, raster::SpanKind::kOpaque, 255};
      const auto alpha = static_cast<std::uint8_t>(color.a * 255.0f + 0.5f);
      if (ctx.blended && alpha < 255) {
        style.kind = raster::SpanKind::kBlend;
        style.alpha = alpha;
        const float depth = (p0.z + p1.z + p2.z) * (1.0f / 3.0f);
        ForEachScreenTriangle(ctx, corners, pre, planes,
                              [&](auto a, auto b, auto c) { s.transparent.Add(a, b, c, style, depth); });
      } else if (s.banded) {
        ForEachScreenTriangle(ctx, corners, pre, planes,
                              [&](auto a, auto b, auto c) { s.opaque.Add(ctx.target, a, b, c, style); });
      } else {
        ForEachScreenTriangle(ctx, corners, pre, planes,
                              [&](auto a, auto b, auto c) { raster::DrawTriangle(ctx.target, a, b, c, style); });
      }
    } else if (fill == kFillWireframe) {
      if (s.banded) StopBanding(ctx);
      const std::uint32_t inFace = static_cast<std::uint32_t>(ti) - face.firstTriangle;
      DrawEdges(ctx, corners, pre, planes, inFace == 0, inFace + 1 == face.triangleCount);
    } else {
      if (s.banded) StopBanding(ctx);
      for (int c = 0; c < 3; ++c)
        if (!(s.outcode[tri.vertex[c]] & (clip::kFront | clip::kBack)))
          raster::DrawPoint(ctx.target, WithColor(*pre[c], corners[c]));
    }
  }
}

}  // namespace platform::rm

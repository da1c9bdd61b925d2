// One mesh instance: cull the whole object by its box, camera-space vertices
// once, list the triangles that may show (outcodes, back faces), light their
// positions, then per triangle either rasterize at once (opaque) or queue
// (translucent).
#include <algorithm>
#include <cmath>
#include <span>
#include <utility>

#include "platform/rm/device.h"
#include "platform/rm/mesh_builder.h"
#include "platform/rm/render_context.h"
#include "platform/rm/render_shown.h"
#include "platform/rm/render_vertices.h"
#include "platform/rm/worker_pool.h"

namespace platform::rm {
namespace {

// Half a step of the brightest channel: below it, corners are the same colour.
constexpr float kSameLight = 0.5f / 255.0f;

bool BoxOutside(const Projection& pr, const Box& box, const Matrix& m) {
  std::uint8_t all = 0xFF;
  for (int k = 0; k < 8 && all; ++k) {
    Vec3 c{(k & 1) ? box.max.x : box.min.x, (k & 2) ? box.max.y : box.min.y, (k & 4) ? box.max.z : box.min.z};
    all &= pr.ViewOutcode(m.TransformPoint(c));
  }
  return all != 0;
}

// Emits the triangle, clipped when it crosses a plane, as screen triangles.
// The corners' screen positions count only when no plane is crossed; their
// colours always.
template <typename Emit>
void ForEachScreenTriangle(const RenderContext& ctx, const MeshTriangle& tri, const raster::ScreenVertex (&corners)[3],
                           std::uint8_t planes, Emit&& emit) {
  if (planes == 0) {
    emit(corners[0], corners[1], corners[2]);
    return;
  }
  const RenderScratch& s = *ctx.scratch;
  CameraVertex in[3], out[clip::kMaxClipped];
  for (int k = 0; k < 3; ++k) in[k] = {s.camera[tri.vertex[k]], corners[k].r, corners[k].g, corners[k].b};
  int n = ClipPolygon(ctx.projection, in, 3, planes, out);
  if (n < 3) return;
  const raster::ScreenVertex first = ctx.projection.Project(out[0]);
  raster::ScreenVertex prev = ctx.projection.Project(out[1]);
  for (int k = 2; k < n; ++k) {
    const raster::ScreenVertex cur = ctx.projection.Project(out[k]);
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

// The corners of a triangle: its positions' screen points, in the face's
// colour (0..255 per channel) times each corner's light.
void SetCorners(raster::ScreenVertex (&corners)[3], const PointsAt& screen, const MeshTriangle& tri, const Color& color,
                const float (&k)[3]) {
#if defined(__SSE2__)
  // By hand: the compiler's own vector code for this shuffles three times
  // as much.
  static_assert(sizeof(raster::ScreenVertex) == 6 * sizeof(float) && sizeof(Color) == 4 * sizeof(float));
  const __m128 rgb255 = _mm_mul_ps(_mm_loadu_ps(&color.r), _mm_set1_ps(255.0f));
  for (int c = 0; c < 3; ++c) {
    const std::uint32_t i = tri.vertex[c];
    const __m128 rgb = _mm_mul_ps(rgb255, _mm_set1_ps(k[c]));
    const __m128 xy = _mm_unpacklo_ps(_mm_load_ss(&screen.x[i]), _mm_load_ss(&screen.y[i]));
    const __m128 zr = _mm_unpacklo_ps(_mm_load_ss(&screen.z[i]), rgb);  // invZ r 0 g
    _mm_storeu_ps(&corners[c].x, _mm_movelh_ps(xy, zr));                // x y invZ r
    _mm_storel_pi(reinterpret_cast<__m64*>(&corners[c].g), _mm_shuffle_ps(rgb, rgb, _MM_SHUFFLE(3, 3, 2, 1)));
  }
#else
  const float cr = color.r * 255.0f, cg = color.g * 255.0f, cb = color.b * 255.0f;
  for (int c = 0; c < 3; ++c) {
    const std::uint32_t i = tri.vertex[c];
    corners[c] = {screen.x[i], screen.y[i], screen.z[i], cr * k[c], cg * k[c], cb * k[c]};
  }
#endif
}

// A wireframe triangle: only the polygon's own edges (the first and last
// triangle of its fan add one each), not the diagonals of the fan.
void DrawEdges(const RenderContext& ctx, const MeshTriangle& tri, const raster::ScreenVertex (&corners)[3],
               std::uint8_t planes, bool firstEdge, bool lastEdge) {
  ForEachScreenTriangle(ctx, tri, corners, planes, [&](const auto& a, const auto& b, const auto& c) {
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

// How a mesh's triangles are coloured.
struct Shading {
  Quality fill;
  bool lit, smooth, lightsCached;
};

// Where the solid triangles go when drawn on the calling thread: the
// device's lists, or straight into the picture when not banded.
struct DrawnHere {
  void Opaque(const raster::ScreenVertex& a, const raster::ScreenVertex& b, const raster::ScreenVertex& c,
              const raster::TriangleStyle& style) {
    if (ctx.scratch->banded)
      ctx.scratch->opaque.Add(ctx.target, a, b, c, style);
    else
      opaque.Draw(a, b, c, style.gouraud);
  }
  void Translucent(const raster::ScreenVertex& a, const raster::ScreenVertex& b, const raster::ScreenVertex& c,
                   const raster::TriangleStyle& style, float depth) {
    ctx.scratch->transparent.Add(a, b, c, style, depth);
  }
  RenderContext& ctx;
  raster::OpaqueTriangles opaque;
};

// Where they go from one part of a mesh drawn on several threads: lists of
// the part's own, appended to the device's in order afterwards.
struct QueuedInPart {
  void Opaque(const raster::ScreenVertex& a, const raster::ScreenVertex& b, const raster::ScreenVertex& c,
              const raster::TriangleStyle& style) {
    part.opaque.Add(target, a, b, c, style);
  }
  void Translucent(const raster::ScreenVertex& a, const raster::ScreenVertex& b, const raster::ScreenVertex& c,
                   const raster::TriangleStyle& style, float depth) {
    part.transparent.Add(a, b, c, style, depth);
  }
  const raster::Target& target;  // counting the rows in the part's own
  MeshPart& part;
};

// The shown triangles, lit, projected and clipped, into `out` (solid) or
// drawn at once (wireframe, points). On several threads at once only when
// solid and with every light found beforehand: then nothing but `out` is
// written.
template <class Out>
void DrawShown(RenderContext& ctx, const MeshBuilder& mesh, const Matrix& m, std::span<const std::uint32_t> shown,
               const Shading& sh, CornerLights& lights, Out& out) {
  RenderScratch& s = *ctx.scratch;
  const auto& faces = mesh.Faces();
  // Plain pointers: for all the compiler knows, each triangle drawn could
  // move the vectors, whose pointers it would then read again every time.
  const MeshTriangle* const tris = mesh.Triangles().data();
  const float* const light = lights.light.data();
  const PointsAt screen(s.screen);
  const std::uint8_t* const outcode = s.outcode.data();
  for (const std::uint32_t ti : shown) {
    const MeshTriangle& tri = tris[ti];
    const std::uint32_t i0 = tri.vertex[0], i1 = tri.vertex[1], i2 = tri.vertex[2];
    const MeshFace& face = faces[tri.face];
    const Color& color = face.color;
    float k[3] = {1.0f, 1.0f, 1.0f};
    if (sh.lightsCached) {
      for (int c = 0; c < 3; ++c) k[c] = light[tri.vertex[c]];
    } else if (sh.smooth) {
      VertexLights(ctx.lights, s.camera, s.normal.data(), tri, lights, k);
    } else if (sh.lit) {
      // One light for the whole polygon, not per fan triangle.
      if (!s.faceLit[tri.face]) {
        s.faceLight[tri.face] = FaceLight(ctx, mesh, face, m);
        s.faceLit[tri.face] = 1;
      }
      k[0] = k[1] = k[2] = s.faceLight[tri.face];
    }
    raster::ScreenVertex corners[3];
    SetCorners(corners, screen, tri, color, k);
    const std::uint8_t planes = outcode[i0] | outcode[i1] | outcode[i2];

    if (sh.fill == kFillSolid) {
      // Corners lit alike (as under a distant light) fill flat: the same
      // pixels, without interpolating colours along every span.
      const bool varies = sh.smooth && (std::abs(k[0] - k[1]) > kSameLight || std::abs(k[0] - k[2]) > kSameLight);
      raster::TriangleStyle style{varies, raster::SpanKind::kOpaque, 255};
      const auto alpha = static_cast<std::uint8_t>(color.a * 255.0f + 0.5f);
      if (ctx.blended && alpha < 255) {
        style.kind = raster::SpanKind::kBlend;
        style.alpha = alpha;
        const float depth = (s.camera.z[i0] + s.camera.z[i1] + s.camera.z[i2]) * (1.0f / 3.0f);
        ForEachScreenTriangle(ctx, tri, corners, planes, [&](const auto& a, const auto& b, const auto& c) {
          out.Translucent(a, b, c, style, depth);
        });
      } else {
        ForEachScreenTriangle(ctx, tri, corners, planes,
                              [&](const auto& a, const auto& b, const auto& c) { out.Opaque(a, b, c, style); });
      }
    } else if (sh.fill == kFillWireframe) {
      if (s.banded) StopBanding(ctx);
      const std::uint32_t inFace = ti - face.firstTriangle;
      DrawEdges(ctx, tri, corners, planes, inFace == 0, inFace + 1 == face.triangleCount);
    } else {
      if (s.banded) StopBanding(ctx);
      for (int c = 0; c < 3; ++c)
        if (!(outcode[tri.vertex[c]] & (clip::kFront | clip::kBack))) raster::DrawPoint(ctx.target, corners[c]);
    }
  }
}

// A large mesh on every thread of the picture, in two steps. First each
// thread transforms a stretch of the positions (and normals); then each
// takes a stretch of the triangles, finds which may show, lights their
// corners and sets them up, the first (the caller's) straight into the
// device's lists, the others into lists of their own, which are then
// appended in order: the same lists as one thread makes, since no step
// depends on where the stretches end. The stretches are as long and fixed
// beforehand: taken first come first served, the parts would all go to the
// caller on a busy machine, where the pool's threads wait their turn for a
// core longer than the job lasts.
class DrawnInParts {
 public:
  DrawnInParts(RenderContext& ctx, const MeshBuilder& mesh, const Matrix& m, const Shading& sh, int threads)
      : ctx_(ctx), mesh_(mesh), m_(m), sh_(sh), threads_(static_cast<std::size_t>(threads)) {
    std::vector<MeshPart>& lists = ctx.scratch->meshParts;
    if (lists.size() < threads_) lists.resize(threads_);
  }

  void Draw() {
    WorkerPool& pool = WorkerPool::Shared();
    pool.Run(static_cast<int>(threads_), &Transform, this);
    pool.Run(static_cast<int>(threads_), &SetUp, this);
    RenderScratch& s = *ctx_.scratch;
    const raster::Target& t = ctx_.target;
    for (std::size_t k = 1; k < threads_; ++k) {
      MeshPart& part = s.meshParts[k];
      s.opaque.Append(part.opaque);
      s.transparent.Append(part.transparent);
      t.WillWrite(part.colorRows.drawn.y0, part.colorRows.drawn.y1, false);
      t.WillWrite(part.depthRows.drawn.y0, part.depthRows.drawn.y1, true);
    }
  }

 private:
  // Stretch k of `count` items, ending on multiples of four (the vector
  // loops then take the same groups of four as on one thread).
  std::pair<std::size_t, std::size_t> Stretch(std::size_t count, std::size_t k) const {
    auto at = [&](std::size_t j) { return std::min(count, (count * j / threads_ + 3) & ~std::size_t{3}); };
    return {at(k), at(k + 1)};
  }

  static void Transform(void* self, int thread) {
    auto& d = *static_cast<DrawnInParts*>(self);
    RenderScratch& s = *d.ctx_.scratch;
    const auto k = static_cast<std::size_t>(thread);
    const auto& positions = d.mesh_.Positions();
    const auto [first, end] = d.Stretch(positions.size(), k);
    TransformPositions(d.ctx_.projection, d.m_, positions.data(), first, end, s.camera, s.outcode.data(), s.screen);
    if (!d.sh_.smooth) return;
    const auto& normals = d.mesh_.Normals();
    const auto [from, to] = d.Stretch(normals.size(), k);
    TransformNormals(d.m_, normals.data() + from, to - from, s.normal.data() + from);
  }

  static void SetUp(void* self, int thread) {
    auto& d = *static_cast<DrawnInParts*>(self);
    RenderScratch& s = *d.ctx_.scratch;
    const auto k = static_cast<std::size_t>(thread);
    MeshPart& part = s.meshParts[k];
    const auto& triangles = d.mesh_.Triangles();
    const auto [first, end] = d.Stretch(triangles.size(), k);
    const std::span<const std::uint32_t> shown =
        FindShownTriangles(s.camera, s.outcode.data(), triangles.data(), first, end, part.shown);
    Shading sh = d.sh_;
    if (sh.smooth) {
      part.lights.Forget(d.mesh_.Positions().size());
      sh.lightsCached =
          LightShownPositions(d.ctx_.lights, s.camera, s.normal.data(), triangles.data(), shown, part.lights);
    }
    if (k == 0) {
      DrawnHere out{d.ctx_, raster::OpaqueTriangles(d.ctx_.target)};
      DrawShown(d.ctx_, d.mesh_, d.m_, shown, sh, part.lights, out);
      return;
    }
    part.opaque.Clear();
    part.transparent.Clear();
    part.colorRows.drawn = part.depthRows.drawn = {};
    raster::Target target = d.ctx_.target;
    target.colorRows = &part.colorRows;
    target.depthRows = &part.depthRows;
    QueuedInPart out{target, part};
    DrawShown(d.ctx_, d.mesh_, d.m_, shown, sh, part.lights, out);
  }

  RenderContext& ctx_;
  const MeshBuilder& mesh_;
  const Matrix& m_;
  Shading sh_;
  std::size_t threads_;
};

// Below this many triangles a mesh is not worth the threads' start.
constexpr std::size_t kTrianglesForThreads = 1024;

}  // namespace

void DrawMeshInstance(RenderContext& ctx, const MeshBuilder& mesh, const Matrix& m) {
  const auto& positions = mesh.Positions();
  const auto& faces = mesh.Faces();
  const auto& triangles = mesh.Triangles();
  const Projection& pr = ctx.projection;
  if (triangles.empty() || mesh.Bounds().empty || BoxOutside(pr, mesh.Bounds(), m)) return;

  Quality q = MinQuality(ctx.deviceQuality, mesh.GetQuality());
  Shading sh{FillOf(q), LightOf(q) != kLightOff, false, false};
  // Phong is drawn as Gouraud: per-vertex light, interpolated colours.
  sh.smooth = sh.lit && ShadeOf(q) >= kShadeGouraud;

  RenderScratch& s = *ctx.scratch;
  const std::size_t n = positions.size();
  if (s.camera.size() < n) {
    s.camera.resize(n);
    s.outcode.resize(n);
    s.screen.resize(n);
  }
  if (sh.smooth && s.normal.size() < mesh.Normals().size()) s.normal.resize(mesh.Normals().size());

  // Only while the pool's threads are free: one still clearing the picture
  // (a large one, see Viewport::Render) would hold the caller up. Flat
  // light is kept per face, which the stretches would share.
  const int threads = ctx.device->Threads();
  if (threads > 1 && s.banded && sh.fill == kFillSolid && (sh.smooth || !sh.lit) &&
      triangles.size() >= kTrianglesForThreads) {
    s.meshInParts = true;
    if (WorkerPool::Shared().Idle()) {
      DrawnInParts(ctx, mesh, m, sh, threads).Draw();
      return;
    }
  }

  TransformPositions(pr, m, positions.data(), 0, n, s.camera, s.outcode.data(), s.screen);
  // Every normal at once: cheaper than one per lit corner, as a normal
  // serves several positions.
  if (sh.smooth) {
    TransformNormals(m, mesh.Normals().data(), mesh.Normals().size(), s.normal.data());
    s.lights.Forget(n);
  } else if (sh.lit) {
    s.faceLight.resize(faces.size());
    s.faceLit.assign(faces.size(), 0);
  }
  const std::span<const std::uint32_t> shown =
      FindShownTriangles(s.camera, s.outcode.data(), triangles.data(), 0, triangles.size(), s.shown);
  sh.lightsCached =
      sh.smooth && LightShownPositions(ctx.lights, s.camera, s.normal.data(), triangles.data(), shown, s.lights);
  DrawnHere out{ctx, raster::OpaqueTriangles(ctx.target)};
  DrawShown(ctx, mesh, m, shown, sh, s.lights, out);
}

}  // namespace platform::rm

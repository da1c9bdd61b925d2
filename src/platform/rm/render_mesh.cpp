// One mesh instance: cull the whole object by its box, camera-space vertices
// once, list the triangles that may show (outcodes, back faces), light their
// positions, then per triangle either rasterize at once (opaque) or queue
// (translucent).
#include <algorithm>
#include <cmath>
#include <span>

#include "platform/rm/device.h"
#include "platform/rm/lanes.h"
#include "platform/rm/mesh_builder.h"
#include "platform/rm/render_context.h"
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

// Plain pointers to the arrays of a Points3: for all the compiler knows, a
// write through another pointer could move a vector, whose pointer it would
// then read again before every read.
struct PointsAt {
  explicit PointsAt(const Points3& p) : x(p.x.data()), y(p.y.data()), z(p.z.data()) {}
  Vec3 operator[](std::size_t i) const { return {x[i], y[i], z[i]}; }
#if defined(__SSE2__)
  Lanes3 Gather(std::uint32_t a, std::uint32_t b, std::uint32_t c, std::uint32_t d) const {
    return {_mm_setr_ps(x[a], x[b], x[c], x[d]), _mm_setr_ps(y[a], y[b], y[c], y[d]),
            _mm_setr_ps(z[a], z[b], z[c], z[d])};
  }
#endif
  const float *x, *y, *z;
};

// Clockwise seen from the camera = facing it; NaN fails the test too.
inline bool FacesCamera(const PointsAt& camera, std::uint32_t i0, std::uint32_t i1, std::uint32_t i2) {
  const float ax = camera.x[i0], ay = camera.y[i0], az = camera.z[i0];
  const float ux = camera.x[i1] - ax, uy = camera.y[i1] - ay, uz = camera.z[i1] - az;
  const float vx = camera.x[i2] - ax, vy = camera.y[i2] - ay, vz = camera.z[i2] - az;
  const Vec3 nrm{uy * vz - uz * vy, uz * vx - ux * vz, ux * vy - uy * vx};
  return nrm.x * ax + nrm.y * ay + nrm.z * az < 0.0f;
}

#if defined(__SSE2__)
// FacesCamera for four triangles, one per lane, as a bit per lane.
int FacesCamera(const Lanes3& c0, const Lanes3& c1, const Lanes3& c2) {
  const __m128 ux = _mm_sub_ps(c1.x, c0.x), uy = _mm_sub_ps(c1.y, c0.y), uz = _mm_sub_ps(c1.z, c0.z);
  const __m128 vx = _mm_sub_ps(c2.x, c0.x), vy = _mm_sub_ps(c2.y, c0.y), vz = _mm_sub_ps(c2.z, c0.z);
  const __m128 nx = _mm_sub_ps(_mm_mul_ps(uy, vz), _mm_mul_ps(uz, vy));
  const __m128 ny = _mm_sub_ps(_mm_mul_ps(uz, vx), _mm_mul_ps(ux, vz));
  const __m128 nz = _mm_sub_ps(_mm_mul_ps(ux, vy), _mm_mul_ps(uy, vx));
  const __m128 d = _mm_add_ps(_mm_add_ps(_mm_mul_ps(nx, c0.x), _mm_mul_ps(ny, c0.y)), _mm_mul_ps(nz, c0.z));
  return _mm_movemask_ps(_mm_cmplt_ps(d, _mm_setzero_ps()));
}
#endif

// Camera-space positions, their outcodes and, in front of the camera, their
// screen positions, into the scratch arrays.
void TransformPositions(RenderScratch& s, const Projection& pr, const std::vector<Vec3>& positions, const Matrix& m) {
  const std::size_t n = positions.size();
  if (s.camera.size() < n) {
    s.camera.resize(n);
    s.outcode.resize(n);
    s.screen.resize(n);
  }
  TransformPositions(pr, m, positions.data(), n, s.camera, s.outcode.data(), s.screen);
}

// Every normal at once: cheaper than one per lit corner, as a normal serves
// several positions.
void TransformNormals(RenderScratch& s, const std::vector<Vec3>& normals, const Matrix& m) {
  if (s.normal.size() < normals.size()) s.normal.resize(normals.size());
  TransformNormals(m, normals.data(), normals.size(), s.normal.data());
}

// The triangles that may show, in order: not wholly outside one plane, and
// facing the camera. The scratch list only grows: shrunk, it would be filled
// with zeros again as it grows back for the next mesh.
std::span<const std::uint32_t> FindShownTriangles(RenderScratch& s, const std::vector<MeshTriangle>& triangles) {
  // Through plain pointers: writing the list through the vector would make
  // the compiler read every vector's pointer again for each triangle.
  const std::uint8_t* outcode = s.outcode.data();
  const PointsAt camera(s.camera);
  const std::size_t n = triangles.size();
  if (s.shown.size() < n) s.shown.resize(n);
  std::uint32_t* shown = s.shown.data();
  std::size_t count = 0;
  auto keep = [&](std::size_t ti, bool faces) {
    const auto& v = triangles[ti].vertex;
    shown[count] = static_cast<std::uint32_t>(ti);
    count += faces && !(outcode[v[0]] & outcode[v[1]] & outcode[v[2]]);
  };
  std::size_t ti = 0;
#if defined(__SSE2__)
  for (; ti + 4 <= n; ti += 4) {
    const MeshTriangle* t = &triangles[ti];
    auto corner = [&](int c) { return camera.Gather(t[0].vertex[c], t[1].vertex[c], t[2].vertex[c], t[3].vertex[c]); };
    const int faces = FacesCamera(corner(0), corner(1), corner(2));
    for (int j = 0; j < 4; ++j) keep(ti + j, faces >> j & 1);
  }
#endif
  for (; ti < n; ++ti) {
    const auto& v = triangles[ti].vertex;
    keep(ti, FacesCamera(camera, v[0], v[1], v[2]));
  }
  return {shown, count};
}

// The light of every position of a shown triangle, with the normal it first
// comes with, into VertexLights' cache: found four at a time, the lights cost
// a fraction of finding them one by one as the triangles come. True when no
// position of a shown triangle comes with a second normal: then the cache
// holds every corner's light.
bool LightShownPositions(RenderContext& ctx, const std::vector<MeshTriangle>& triangles,
                         std::span<const std::uint32_t> shown) {
  RenderScratch& s = *ctx.scratch;
  std::uint32_t* lightFor = s.lightFor.data();  // plain pointers, as in FindShownTriangles
  if (s.unlit.size() < s.lightFor.size()) s.unlit.resize(s.lightFor.size());  // only grows, as s.shown
  std::uint32_t* unlit = s.unlit.data();
  std::size_t count = 0;
  bool oneNormalEach = true;
  for (std::uint32_t ti : shown) {
    for (int c = 0; c < 3; ++c) {
      const std::uint32_t vi = triangles[ti].vertex[c], normalFor = triangles[ti].normal[c] + 1;
      if (lightFor[vi]) {
        oneNormalEach &= lightFor[vi] == normalFor;
        continue;
      }
      lightFor[vi] = normalFor;
      unlit[count++] = vi;
    }
  }
  const PointsAt camera(s.camera);
  const Vec3* normal = s.normal.data();
  float* light = s.light.data();
  auto normalOf = [&](std::uint32_t vi) -> const Vec3& { return normal[lightFor[vi] - 1]; };
  std::size_t k = 0;
#if defined(__SSE2__)
  for (; k + 4 <= count; k += 4) {
    const std::uint32_t* v = &unlit[k];
    const Lanes3 p = camera.Gather(v[0], v[1], v[2], v[3]);
    const Lanes3 n = Gather3(normalOf(v[0]), normalOf(v[1]), normalOf(v[2]), normalOf(v[3]));
    alignas(16) float four[4];
    _mm_store_ps(four, ctx.lights.At(p, n));
    for (int j = 0; j < 4; ++j) light[v[j]] = four[j];
  }
#endif
  for (; k < count; ++k) light[unlit[k]] = ctx.lights.At(camera[unlit[k]], normalOf(unlit[k]));
  return oneNormalEach;
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

// The light at each corner with its own normal, cached per position: a
// position mostly comes with one normal.
void VertexLights(RenderContext& ctx, const MeshTriangle& tri, float (&k)[3]) {
  RenderScratch& s = *ctx.scratch;
  for (int c = 0; c < 3; ++c) {
    std::uint32_t vi = tri.vertex[c], ni = tri.normal[c];
    if (s.lightFor[vi] != ni + 1) {
      s.light[vi] = ctx.lights.At(s.camera[vi], s.normal[ni]);
      s.lightFor[vi] = ni + 1;
    }
    k[c] = s.light[vi];
  }
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
               const Shading& sh, Out& out) {
  RenderScratch& s = *ctx.scratch;
  const auto& faces = mesh.Faces();
  // Plain pointers: for all the compiler knows, each triangle drawn could
  // move the vectors, whose pointers it would then read again every time.
  const MeshTriangle* const tris = mesh.Triangles().data();
  const float* const light = s.light.data();
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
      VertexLights(ctx, tri, k);
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

// A large mesh's shown triangles on every thread of the picture, each
// thread taking one stretch of them, the first (the caller's) straight into
// the device's lists, the others into lists of their own, which are then
// appended in order: the same lists as one thread makes. The stretches are
// as long and fixed beforehand: taken first come first served, the parts
// would all go to the caller on a busy machine, where the pool's threads
// wait their turn for a core longer than the job lasts.
class DrawnInParts {
 public:
  DrawnInParts(RenderContext& ctx, const MeshBuilder& mesh, const Matrix& m, std::span<const std::uint32_t> shown,
               const Shading& sh, int threads)
      : ctx_(ctx), mesh_(mesh), m_(m), shown_(shown), sh_(sh), threads_(static_cast<std::size_t>(threads)) {
    std::vector<MeshPart>& lists = ctx.scratch->meshParts;
    if (lists.size() < threads_) lists.resize(threads_);
  }

  void Draw() {
    WorkerPool::Shared().Run(static_cast<int>(threads_), &Take, this);
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
  static void Take(void* self, int thread) {
    auto& d = *static_cast<DrawnInParts*>(self);
    const auto k = static_cast<std::size_t>(thread);
    const std::size_t n = d.shown_.size(), first = n * k / d.threads_, end = n * (k + 1) / d.threads_;
    const std::span<const std::uint32_t> stretch = d.shown_.subspan(first, end - first);
    if (k == 0) {
      DrawnHere out{d.ctx_, raster::OpaqueTriangles(d.ctx_.target)};
      DrawShown(d.ctx_, d.mesh_, d.m_, stretch, d.sh_, out);
      return;
    }
    MeshPart& part = d.ctx_.scratch->meshParts[k];
    part.opaque.Clear();
    part.transparent.Clear();
    part.colorRows.drawn = part.depthRows.drawn = {};
    raster::Target target = d.ctx_.target;
    target.colorRows = &part.colorRows;
    target.depthRows = &part.depthRows;
    QueuedInPart out{target, part};
    DrawShown(d.ctx_, d.mesh_, d.m_, stretch, d.sh_, out);
  }

  RenderContext& ctx_;
  const MeshBuilder& mesh_;
  const Matrix& m_;
  std::span<const std::uint32_t> shown_;
  Shading sh_;
  std::size_t threads_;
};

// Below this many shown triangles a mesh is not worth the threads' start.
constexpr std::size_t kShownForThreads = 512;

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
  TransformPositions(s, pr, positions, m);
  if (sh.smooth) {
    TransformNormals(s, mesh.Normals(), m);
    s.light.resize(n);
    s.lightFor.assign(n, 0);
  } else if (sh.lit) {
    s.faceLight.resize(faces.size());
    s.faceLit.assign(faces.size(), 0);
  }

  const std::span<const std::uint32_t> shown = FindShownTriangles(s, triangles);
  sh.lightsCached = sh.smooth && LightShownPositions(ctx, triangles, shown);

  // Only while the pool's threads are free: one still clearing the picture
  // (a large one, see Viewport::Render) would hold the caller up.
  const int threads = ctx.device->Threads();
  if (threads > 1 && s.banded && sh.fill == kFillSolid && (sh.lightsCached || !sh.lit) &&
      shown.size() >= kShownForThreads) {
    s.meshInParts = true;
    if (WorkerPool::Shared().Idle()) {
      DrawnInParts(ctx, mesh, m, shown, sh, threads).Draw();
      return;
    }
  }
  DrawnHere out{ctx, raster::OpaqueTriangles(ctx.target)};
  DrawShown(ctx, mesh, m, shown, sh, out);
}

}  // namespace platform::rm

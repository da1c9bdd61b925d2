// Bounding-volume hierarchies for ray picks, built once per mesh geometry.
#include <algorithm>
#include <array>
#include <cmath>
#include <tuple>

#include "platform/rm/mesh_builder.h"
#include "platform/rm/pick_scene.h"

namespace platform::rm::detail {
namespace {

constexpr std::uint32_t kLeafSize = 4;
constexpr int kMaxDepth = 40;  // traversal stack is 64 deep

bool LexLess(Vec3 a, Vec3 b) { return std::tie(a.x, a.y, a.z) < std::tie(b.x, b.y, b.z); }

Vec3 Min(Vec3 a, Vec3 b) { return {std::min(a.x, b.x), std::min(a.y, b.y), std::min(a.z, b.z)}; }
Vec3 Max(Vec3 a, Vec3 b) { return {std::max(a.x, b.x), std::max(a.y, b.y), std::max(a.z, b.z)}; }

float Axis(Vec3 v, int axis) { return axis == 0 ? v.x : axis == 1 ? v.y : v.z; }

struct Source {
  std::array<Vec3, 3> v;
  Vec3 centroid;
  std::uint32_t face;
};

// Boxes grow by a margin so that rounding in the slab test never loses a
// hit that the triangle test would find.
void Pad(Vec3* min, Vec3* max) {
  float magnitude = std::max({std::fabs(min->x), std::fabs(min->y), std::fabs(min->z),
                              std::fabs(max->x), std::fabs(max->y), std::fabs(max->z)});
  float pad = 1e-5f * (1.0f + magnitude);
  *min -= Vec3{pad, pad, pad};
  *max += Vec3{pad, pad, pad};
}

}  // namespace

std::shared_ptr<const PickMesh> BuildPickMesh(const MeshBuilder& mesh) {
  auto out = std::make_shared<PickMesh>();
  const auto& positions = mesh.Positions();
  std::vector<Source> sources;
  sources.reserve(mesh.Triangles().size());
  for (const MeshTriangle& tri : mesh.Triangles()) {
    Source s{{positions[tri.vertex[0]], positions[tri.vertex[1]], positions[tri.vertex[2]]}, {},
             tri.face};
    std::sort(s.v.begin(), s.v.end(), LexLess);
    if (Cross(s.v[1] - s.v[0], s.v[2] - s.v[0]) == Vec3{}) continue;  // no area: never hit
    s.centroid = (s.v[0] + s.v[1] + s.v[2]) * (1.0f / 3.0f);
    sources.push_back(s);
  }
  if (sources.empty()) return out;

  struct Task {
    std::uint32_t node, first, count;
    int depth;
  };
  out->nodes.reserve(2 * (sources.size() / kLeafSize + 1));
  out->nodes.push_back({});
  std::vector<Task> tasks{{0, 0, static_cast<std::uint32_t>(sources.size()), 0}};
  while (!tasks.empty()) {
    Task task = tasks.back();
    tasks.pop_back();
    Vec3 min = sources[task.first].v[0], max = min;
    Vec3 cmin = sources[task.first].centroid, cmax = cmin;
    for (std::uint32_t i = task.first; i < task.first + task.count; ++i) {
      for (Vec3 v : sources[i].v) {
        min = Min(min, v);
        max = Max(max, v);
      }
      cmin = Min(cmin, sources[i].centroid);
      cmax = Max(cmax, sources[i].centroid);
    }
    Pad(&min, &max);
    PickNode& node = out->nodes[task.node];
    node.min = min;
    node.max = max;
    Vec3 extent = cmax - cmin;
    int axis = extent.x >= extent.y && extent.x >= extent.z ? 0 : extent.y >= extent.z ? 1 : 2;
    if (task.count <= kLeafSize || task.depth >= kMaxDepth || Axis(extent, axis) <= 0.0f) {
      node.first = task.first;
      node.count = task.count;
      continue;
    }
    std::uint32_t half = task.count / 2;
    auto begin = sources.begin() + task.first;
    std::nth_element(begin, begin + half, begin + task.count, [axis](const Source& a, const Source& b) {
      return Axis(a.centroid, axis) < Axis(b.centroid, axis);
    });
    auto children = static_cast<std::uint32_t>(out->nodes.size());
    node.first = children;
    node.count = 0;
    out->nodes.push_back({});  // invalidates node
    out->nodes.push_back({});
    tasks.push_back({children, task.first, half, task.depth + 1});
    tasks.push_back({children + 1, task.first + half, task.count - half, task.depth + 1});
  }

  out->triangles.reserve(sources.size());
  for (const Source& s : sources) out->triangles.push_back({s.v[0], s.v[1] - s.v[0], s.v[2] - s.v[0], s.face});
  return out;
}

LocalRay MakeLocalRay(Vec3 origin, Vec3 direction) {
  // A zero component would give 0 * inf = NaN in the slab test; a tiny one
  // gives the same answer without it.
  auto reciprocal = [](float d) {
    constexpr float kTiny = 1e-30f;
    return 1.0f / (std::fabs(d) < kTiny ? std::copysign(kTiny, d) : d);
  };
  return {origin, direction,
          {reciprocal(direction.x), reciprocal(direction.y), reciprocal(direction.z)}};
}

bool RayHitsBox(const LocalRay& ray, Vec3 min, Vec3 max, float tMax, float* tEnter) {
  float tx1 = (min.x - ray.origin.x) * ray.inverse.x, tx2 = (max.x - ray.origin.x) * ray.inverse.x;
  float ty1 = (min.y - ray.origin.y) * ray.inverse.y, ty2 = (max.y - ray.origin.y) * ray.inverse.y;
  float tz1 = (min.z - ray.origin.z) * ray.inverse.z, tz2 = (max.z - ray.origin.z) * ray.inverse.z;
  float enter = std::max({std::min(tx1, tx2), std::min(ty1, ty2), std::min(tz1, tz2), 0.0f});
  float exit = std::min({std::max(tx1, tx2), std::max(ty1, ty2), std::max(tz1, tz2), tMax});
  *tEnter = enter;
  return enter <= exit;
}

bool HitTriangle(const PickTriangle& tri, const LocalRay& ray, float* t) {
  Vec3 p = Cross(ray.direction, tri.e2);
  float det = Dot(tri.e1, p);
  if (det == 0.0f) return false;  // the ray runs in the triangle's plane
  float inv = 1.0f / det;
  Vec3 s = ray.origin - tri.v0;
  float u = Dot(s, p) * inv;
  if (!(u >= 0.0f && u <= 1.0f)) return false;
  Vec3 q = Cross(s, tri.e1);
  float v = Dot(ray.direction, q) * inv;
  if (!(v >= 0.0f && u + v <= 1.0f)) return false;
  float hit = Dot(tri.e2, q) * inv;
  if (!(hit > 0.0f)) return false;  // behind or at the origin
  *t = hit;
  return true;
}

}  // namespace platform::rm::detail

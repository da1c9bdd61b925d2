// Bounding-volume hierarchies for ray picks, built once per mesh geometry.
#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
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
  float magnitude = std::max({std::fabs(min->x), std::fabs(min->y), std::fabs(min->z), std::fabs(max->x),
                              std::fabs(max->y), std::fabs(max->z)});
  float pad = 1e-5f * (1.0f + magnitude);
  *min -= Vec3{pad, pad, pad};
  *max += Vec3{pad, pad, pad};
}

float HalfArea(Vec3 min, Vec3 max) {
  Vec3 e = max - min;
  return e.x * e.y + e.y * e.z + e.z * e.x;
}

// Splits sources[first, first + count) in two by the binned surface-area
// heuristic along the widest centroid axis and returns the size of the first
// part, or 0 when keeping them in one leaf is cheaper.
std::uint32_t SplitBySurfaceArea(std::vector<Source>& sources, std::uint32_t first, std::uint32_t count, Vec3 cmin,
                                 Vec3 cmax) {
  constexpr int kBins = 12;
  Vec3 extent = cmax - cmin;
  int axis = extent.x >= extent.y && extent.x >= extent.z ? 0 : extent.y >= extent.z ? 1 : 2;
  float lo = Axis(cmin, axis), width = Axis(extent, axis);
  if (!(width > 0.0f)) return 0;  // all centroids at one place
  constexpr float kInf = std::numeric_limits<float>::infinity();
  struct Bin {
    Vec3 min{kInf, kInf, kInf}, max{-kInf, -kInf, -kInf};
    std::uint32_t count = 0;
  } bins[kBins];
  auto binOf = [&](const Source& s) {
    int b = static_cast<int>((Axis(s.centroid, axis) - lo) / width * kBins);
    return std::clamp(b, 0, kBins - 1);
  };
  for (std::uint32_t i = first; i < first + count; ++i) {
    Bin& bin = bins[binOf(sources[i])];
    for (Vec3 v : sources[i].v) {
      bin.min = Min(bin.min, v);
      bin.max = Max(bin.max, v);
    }
    ++bin.count;
  }
  // Cost of splitting after bin k: area * count on both sides.
  float rightCost[kBins] = {};
  Bin right;
  for (int k = kBins - 1; k > 0; --k) {
    right.min = Min(right.min, bins[k].min);
    right.max = Max(right.max, bins[k].max);
    right.count += bins[k].count;
    rightCost[k - 1] = right.count ? HalfArea(right.min, right.max) * static_cast<float>(right.count) : 0.0f;
  }
  float bestCost = std::numeric_limits<float>::infinity();
  int bestSplit = -1;
  std::uint32_t bestLeft = 0;
  Bin left;
  for (int k = 0; k + 1 < kBins; ++k) {
    left.min = Min(left.min, bins[k].min);
    left.max = Max(left.max, bins[k].max);
    left.count += bins[k].count;
    if (left.count == 0 || left.count == count) continue;
    float cost = HalfArea(left.min, left.max) * static_cast<float>(left.count) + rightCost[k];
    if (cost < bestCost) {
      bestCost = cost;
      bestSplit = k;
      bestLeft = left.count;
    }
  }
  if (bestSplit < 0) return 0;
  auto begin = sources.begin() + first;
  std::partition(begin, begin + count, [&](const Source& s) { return binOf(s) <= bestSplit; });
  return bestLeft;
}

}  // namespace

std::shared_ptr<const PickMesh> BuildPickMesh(const MeshBuilder& mesh) {
  auto out = std::make_shared<PickMesh>();
  const auto& positions = mesh.Positions();
  std::vector<Source> sources;
  sources.reserve(mesh.Triangles().size());
  for (const MeshTriangle& tri : mesh.Triangles()) {
    Source s{{positions[tri.vertex[0]], positions[tri.vertex[1]], positions[tri.vertex[2]]}, {}, tri.face};
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
    std::uint32_t half = 0;
    if (task.count > kLeafSize && task.depth < kMaxDepth) {
      half = SplitBySurfaceArea(sources, task.first, task.count, cmin, cmax);
    }
    if (half == 0) {
      node.first = task.first;
      node.count = task.count;
      continue;
    }
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
  return {origin, direction, {reciprocal(direction.x), reciprocal(direction.y), reciprocal(direction.z)}};
}

}  // namespace platform::rm::detail

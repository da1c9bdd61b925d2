#pragma once
// Internal to ray picks: a bounding-volume hierarchy per mesh (in the mesh's
// own coordinates, shared by every frame that shows it) and, per frame that
// is picked through, the flat list of its subtree's mesh instances with their
// world matrices and world boxes, rebuilt when the scene epoch moves.
#include <algorithm>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/rm/math.h"

namespace platform::rm {

class Frame;
class MeshBuilder;

namespace detail {

// A triangle with its vertices in a canonical order (lexicographic by
// coordinates), so that coincident triangles give identical hits whatever
// their winding or their place in the mesh.
struct PickTriangle {
  Vec3 v0, e1, e2;
  std::uint32_t face;
};

// count == 0: an inner node whose children are first and first + 1.
struct PickNode {
  Vec3 min;
  std::uint32_t first;
  Vec3 max;
  std::uint32_t count;
};

struct PickMesh {
  std::vector<PickTriangle> triangles;
  std::vector<PickNode> nodes;  // empty for a mesh without triangles
};

std::shared_ptr<const PickMesh> BuildPickMesh(const MeshBuilder& mesh);

// A ray in the mesh's coordinates with precomputed reciprocals.
struct LocalRay {
  Vec3 origin, direction, inverse;
};
LocalRay MakeLocalRay(Vec3 origin, Vec3 direction);

// Slab test of a box against (0, tMax]; the entry parameter goes to *tEnter.
inline bool RayHitsBox(const LocalRay& ray, Vec3 min, Vec3 max, float tMax, float* tEnter) {
  float tx1 = (min.x - ray.origin.x) * ray.inverse.x, tx2 = (max.x - ray.origin.x) * ray.inverse.x;
  float ty1 = (min.y - ray.origin.y) * ray.inverse.y, ty2 = (max.y - ray.origin.y) * ray.inverse.y;
  float tz1 = (min.z - ray.origin.z) * ray.inverse.z, tz2 = (max.z - ray.origin.z) * ray.inverse.z;
  float enter = std::max(std::max(std::min(tx1, tx2), std::min(ty1, ty2)), std::max(std::min(tz1, tz2), 0.0f));
  float exit = std::min(std::min(std::max(tx1, tx2), std::max(ty1, ty2)), std::min(std::max(tz1, tz2), tMax));
  *tEnter = enter;
  return enter <= exit;
}

// Calls hit(t, face) for every triangle hit with 0 < t <= *tMax. With
// nearestOnly, *tMax shrinks to each hit so that only nearer ones follow.
template <typename OnHit>
void IntersectPickMesh(const PickMesh& mesh, const LocalRay& ray, float* tMax, bool nearestOnly, OnHit&& hit);

struct PickInstance {
  const Frame* frame;
  const MeshBuilder* mesh;
  const PickMesh* data;
  Matrix toLocal;  // world -> mesh coordinates
  bool identity;   // toLocal is the identity
  Vec3 min, max;   // world box
};

struct PickScene {
  std::uint64_t epoch = 0;
  std::vector<PickInstance> instances;
};

void RebuildPickScene(const Frame& root, PickScene* scene);

// ---- implementation of the template ----

// Both faces; only hits with t > 0.
inline bool HitTriangle(const PickTriangle& tri, const LocalRay& ray, float* t) {
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

template <typename OnHit>
void IntersectPickMesh(const PickMesh& mesh, const LocalRay& ray, float* tMax, bool nearestOnly, OnHit&& hit) {
  if (mesh.nodes.empty()) return;
  struct Entry {
    std::uint32_t node;
    float enter;
  };
  constexpr int kStackSize = 64;  // the build keeps the depth well below
  Entry stack[kStackSize];
  int top = 0;
  float enter;
  if (!RayHitsBox(ray, mesh.nodes[0].min, mesh.nodes[0].max, *tMax, &enter)) return;
  stack[top++] = {0, enter};
  while (top > 0) {
    Entry entry = stack[--top];
    if (entry.enter > *tMax) continue;  // a nearer hit was found meanwhile
    const PickNode& node = mesh.nodes[entry.node];
    if (node.count > 0) {
      for (std::uint32_t i = node.first; i < node.first + node.count; ++i) {
        float t;
        if (HitTriangle(mesh.triangles[i], ray, &t) && t <= *tMax) {
          hit(t, mesh.triangles[i].face);
          if (nearestOnly) *tMax = t;
        }
      }
      continue;
    }
    const PickNode& a = mesh.nodes[node.first];
    const PickNode& b = mesh.nodes[node.first + 1];
    float enterA, enterB;
    bool hitA = RayHitsBox(ray, a.min, a.max, *tMax, &enterA);
    bool hitB = RayHitsBox(ray, b.min, b.max, *tMax, &enterB);
    if (top + 2 > kStackSize) continue;
    // The nearer child goes on top so that its hits prune the farther one.
    if (hitA && hitB) {
      if (enterA <= enterB) {
        stack[top++] = {node.first + 1, enterB};
        stack[top++] = {node.first, enterA};
      } else {
        stack[top++] = {node.first, enterA};
        stack[top++] = {node.first + 1, enterB};
      }
    } else if (hitA) {
      stack[top++] = {node.first, enterA};
    } else if (hitB) {
      stack[top++] = {node.first + 1, enterB};
    }
  }
}

}  // namespace detail
}  // namespace platform::rm

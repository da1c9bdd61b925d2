#include "game/collision.h"

#include <array>
#include <cmath>
#include <span>
#include <utility>
#include <vector>

#include "platform/rm/ray_pick.h"
#include "scene/ingredient_frames.h"
#include "scene/scene_objects.h"

namespace game {

using platform::rm::Pick;
using scene::objects;

namespace {

using Segment = std::pair<int, int>;

// The two nearest intersections of the ray a -> (b - a), one per visual, and
// the nearest one that does not coincide with a neighbour (a solid surface,
// not one of the ingredient's paired surfaces).
struct RayHits {
  int count = 0;
  Vec3 first, second;
  bool hasSolid = false;
  float solidDistance = 0;
};

bool IsCarriedHeap(const scene::Frame* f) {
  for (Ingredient i : kIngredients)
    if (f == scene::FramesOf(i).heap->get()) return true;
  return false;
}

RayHits CastSegment(Vec3 a, Vec3 b) {
  static std::vector<Pick> picks;  // reused: no allocation per ray
  static std::vector<float> distances;
  RayHits hits;
  if (!objects.sceneRoot) return hits;
  Vec3 d = b - a;
  // Intersections beyond the segment's end decide nothing, so the pick may
  // stop a little past it.
  float reach = platform::rm::Length(d) * 1.001f + 1e-3f;
  picks.clear();
  distances.clear();
  objects.sceneRoot
      ->RayPick(objects.sceneRoot.get(), {a, d}, platform::rm::kRayPickIgnoreFurtherPrimitives, &picks, reach)
      .Ignore("a refused pick leaves the list empty, which reads as no hit");
  // The heap riding in the bucket is part of the bucket's load, not an
  // obstacle: it is placed after the probes have run, so a probe would meet
  // the heap where the previous pose left it and undo the bucket's own move.
  for (const Pick& pick : picks) {
    if (IsCarriedHeap(pick.frame.get())) continue;
    if (hits.count < 2) (hits.count == 0 ? hits.first : hits.second) = pick.position;
    ++hits.count;
    distances.push_back(platform::rm::Length(pick.position - a));
  }
  for (std::size_t i = 0; i < distances.size(); ++i) {
    bool paired =
        (i > 0 && distances[i - 1] == distances[i]) || (i + 1 < distances.size() && distances[i + 1] == distances[i]);
    if (!paired) {
      hits.hasSolid = true;
      hits.solidDistance = distances[i];
      break;
    }
  }
  return hits;
}

template <std::size_t N>
std::array<Vec3, N> WorldPositions(const std::array<scene::Ref<scene::Frame>, N>& probes) {
  std::array<Vec3, N> p{};
  for (std::size_t i = 1; i < N; ++i)
    if (probes[i]) probes[i]->GetPosition(objects.sceneRoot.get(), &p[i]).Ignore(scene::kPoseResultUnused);
  return p;
}

// The first segment of the chain that meets something, probes numbered
// from 1 as their names are.
Contact FirstContact(std::span<const Vec3> p, std::initializer_list<Segment> chain) {
  for (auto [from, to] : chain)
    if (Contact c = ProbeHit(p[from], p[to]); c != Contact::Clear) return c;
  return Contact::Clear;
}

// Like FirstContact, but a hit on the ingredient's surface does not end the
// chain: while the bucket is dipped such a hit is allowed, and a solid hit
// further down the chain must still be found. True when anything was met.
bool AnyHitUntilSolid(std::span<const Vec3> p, std::initializer_list<Segment> chain, Contacts& met) {
  bool hit = false;
  for (auto [from, to] : chain) {
    Contact c = ProbeHit(p[from], p[to]);
    met.Add(c);
    if (c != Contact::Clear) hit = true;
    if (met.solid) return true;
  }
  return hit;
}

bool AnySecondHit(std::span<const Vec3> p, std::initializer_list<Segment> chain) {
  for (auto [from, to] : chain)
    if (ProbeSecondHit(p[from], p[to])) return true;
  return false;
}

// Positions relative to the table-edge reference, x and z in thousandths.
struct Millis {
  long x, z;
};
Millis ToMillis(Vec3 p) {
  return {static_cast<long>(std::trunc(p.x * 1000.0f)), static_cast<long>(std::trunc(p.z * 1000.0f))};
}

}  // namespace

Contact ProbeHit(Vec3 a, Vec3 b) {
  float length = platform::rm::Length(b - a);
  RayHits hits = CastSegment(a, b);
  if (hits.count == 0) return Contact::Clear;
  float d0 = platform::rm::Length(hits.first - a);
  // One pick has no second intersection to coincide with.
  bool coincident = hits.count > 1 && d0 == platform::rm::Length(hits.second - a);
  if (!(length > d0)) return Contact::Clear;
  // A segment that crosses the ingredient's surface and goes on into a solid
  // (the pot's wall, the floor under the ingredient, the table) touches that
  // solid: the surface in front of it must not hide it.
  if (coincident && !(hits.hasSolid && length > hits.solidDistance)) return Contact::Coincident;
  return Contact::Solid;
}

bool ProbeSecondHit(Vec3 a, Vec3 b) {
  float length = platform::rm::Length(b - a);
  RayHits hits = CastSegment(a, b);
  return hits.count > 1 && length > platform::rm::Length(hits.second - a);
}

BucketArmProbe BucketArmHits(bool wasDipped) {
  auto arm = WorldPositions(objects.armProbe);
  auto bucket = WorldPositions(objects.bucketProbe);
  // Both lower edges in the ingredient: the bucket goes in.
  const bool edgesIn = ProbeSecondHit(bucket[2], bucket[4]) && ProbeSecondHit(bucket[1], bucket[3]);
  BucketArmProbe probe;
  Contacts& met = probe.contacts;
  probe.hit = AnyHitUntilSolid(
      bucket, {{1, 2},  {3, 4},  {5, 6},   {7, 8},   {9, 10}, {12, 18}, {11, 17}, {14, 20}, {13, 19}, {15, 16},
               {1, 3},  {2, 4},  {3, 5},   {4, 6},   {9, 7},  {10, 8},  {11, 9},  {12, 10}, {11, 13}, {12, 14},
               {1, 15}, {2, 16}, {13, 15}, {14, 16}, {21, 5}, {6, 22},  {21, 7},  {22, 8},  {22, 21}},
      met);
  if (!met.solid &&
      AnyHitUntilSolid(
          arm, {{1, 2}, {3, 4}, {5, 6}, {7, 8}, {1, 3}, {2, 4}, {3, 7}, {4, 8}, {7, 5}, {8, 6}, {5, 1}, {6, 2}}, met))
    probe.hit = true;
  if (AnySecondHit(arm, {{10, 6}, {9, 5}, {12, 2}, {11, 1}, {6, 8}, {5, 7}}) ||
      AnySecondHit(
          bucket,
          {{2, 14}, {1, 13}, {2, 4}, {1, 3}, {4, 6}, {3, 5}, {6, 22}, {5, 21}, {22, 8}, {21, 7}, {8, 10}, {7, 9}}))
    met.coincident = true;
  // Out of the ingredient once no ray sees its surface any more.
  probe.dipped = met.coincident && (wasDipped || edgesIn);
  if (met.solid && met.coincident) probe.hit = true;
  return probe;
}

Contact BaseBoxHits() {
  auto base = WorldPositions(objects.baseProbe);
  auto body = WorldPositions(objects.bodyProbe);
  Contact c = FirstContact(
      base, {{1, 2}, {3, 4}, {5, 6}, {7, 8}, {1, 3}, {2, 4}, {5, 7}, {6, 8}, {1, 5}, {3, 7}, {2, 6}, {4, 8}});
  if (c != Contact::Clear) return c;
  return FirstContact(body, {{1, 2}, {3, 4}, {5, 6}, {7, 8}, {2, 4}, {1, 5}, {3, 7}, {2, 6}, {4, 8}});
}

TableEdge TableEdgeInside() {
  const scene::Frame* ref = objects.fallRefFrame.get();
  if (!ref || !objects.baseFrame) return {};
  Vec3 chassis;
  objects.baseFrame->GetPosition(ref, &chassis).Ignore(scene::kPoseResultUnused);
  std::array<Vec3, 5> corner{}, wheel{};
  for (int i = 1; i <= 4; ++i) {
    if (objects.tableCorner[i]) objects.tableCorner[i]->GetPosition(ref, &corner[i]).Ignore(scene::kPoseResultUnused);
    if (objects.wheelProbe[i]) objects.wheelProbe[i]->GetPosition(ref, &wheel[i]).Ignore(scene::kPoseResultUnused);
  }
  Millis topLeft = ToMillis(corner[2]), bottomRight = ToMillis(corner[3]);
  for (int i = 1; i <= 4; ++i) {
    Millis w = ToMillis(wheel[i]);
    // Left and top inclusive, right and bottom exclusive.
    bool inside = w.x >= topLeft.x && w.x < bottomRight.x && w.z >= topLeft.z && w.z < bottomRight.z;
    if (!inside) return {false, wheel[i].x - chassis.x, wheel[i].z - chassis.z};
  }
  return {};
}

}  // namespace game

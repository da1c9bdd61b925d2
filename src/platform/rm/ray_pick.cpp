// Frame::RayPick: every mesh instance of a subtree, culled by world boxes,
// then tested in the mesh's own coordinates through its hierarchy.
#include "platform/rm/ray_pick.h"

#include <cmath>
#include <utility>

#include "platform/rm/mesh_builder.h"
#include "platform/rm/pick_scene.h"
#include "platform/rm/rm_result.h"

namespace platform::rm {
namespace detail {
namespace {

bool IsIdentity(const Matrix& m) {
  const Matrix i;
  return m.x == i.x && m.y == i.y && m.z == i.z && m.origin == i.origin;
}

Vec3 Abs(Vec3 v) { return {std::fabs(v.x), std::fabs(v.y), std::fabs(v.z)}; }

}  // namespace

void RebuildPickScene(const Frame& root, PickScene* scene) {
  scene->instances.clear();
  std::vector<const Frame*> pending{&root};
  while (!pending.empty()) {
    const Frame* frame = pending.back();
    pending.pop_back();
    for (const Ref<Visual>& visual : frame->Visuals()) {
      const MeshBuilder* mesh = visual->AsMesh();
      if (!mesh) continue;  // shadows are never hit
      const PickMesh& data = mesh->PickData();
      if (data.nodes.empty()) continue;
      const Matrix& world = frame->WorldMatrix();
      PickInstance instance{frame, mesh, &data, {}, IsIdentity(world), {}, {}};
      if (!instance.identity) instance.toLocal = world.RigidInverse();
      const PickNode& top = data.nodes[0];
      Vec3 center = world.TransformPoint((top.min + top.max) * 0.5f);
      Vec3 half = (top.max - top.min) * 0.5f;
      Vec3 extent = Abs(world.x) * half.x + Abs(world.y) * half.y + Abs(world.z) * half.z;
      extent += Vec3{1e-5f, 1e-5f, 1e-5f} * (1.0f + Length(center) + Length(extent));
      instance.min = center - extent;
      instance.max = center + extent;
      scene->instances.push_back(instance);
    }
    for (auto it = frame->Children().rbegin(); it != frame->Children().rend(); ++it) {
      pending.push_back(it->get());
    }
  }
}

}  // namespace detail

namespace {

bool Finite(Vec3 v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }

// Stable and allocation-free; pick lists are short.
void SortByDistance(std::vector<Pick>* picks) {
  for (std::size_t i = 1; i < picks->size(); ++i) {
    for (std::size_t j = i; j > 0 && (*picks)[j].distance < (*picks)[j - 1].distance; --j) {
      std::swap((*picks)[j], (*picks)[j - 1]);
    }
  }
}

}  // namespace

HResult Frame::RayPick(const Frame* ref, const Ray& ray, std::uint32_t flags, std::vector<Pick>* picks,
                       float maxDistance) const {
  using namespace detail;
  if (!picks) return kErrBadValue;
  picks->clear();
  if (!Finite(ray.origin) || !Finite(ray.direction) || std::isnan(maxDistance)) {
    return kErrBadValue;
  }

  const std::uint64_t epoch = SceneEpoch();
  if (!pickScene_) pickScene_ = std::make_unique<PickScene>();
  if (pickScene_->epoch != epoch) {
    RebuildPickScene(*this, pickScene_.get());
    pickScene_->epoch = epoch;
  }

  const Matrix refWorld = ref ? ref->WorldMatrix() : Matrix{};
  const bool refIdentity = IsIdentity(refWorld);
  const Matrix refInverse = refIdentity ? Matrix{} : refWorld.RigidInverse();
  const Vec3 origin = refIdentity ? ray.origin : refWorld.TransformPoint(ray.origin);
  const Vec3 direction = refIdentity ? ray.direction : refWorld.TransformVector(ray.direction);
  const float length = Length(direction);
  if (!(length > 0.0f)) return kOk;  // no direction: nothing to pick
  // A hit exactly at maxDistance counts despite rounding in the division.
  const float tLimit = maxDistance / length * (1.0f + 1e-6f);
  if (!(tLimit > 0.0f)) return kOk;

  const bool nearestOnly = (flags & kRayPickIgnoreFurtherPrimitives) != 0;
  const bool boxesOnly = (flags & kRayPickOnlyBoundingBoxes) != 0;
  const LocalRay worldRay = MakeLocalRay(origin, direction);

  for (const PickInstance& instance : pickScene_->instances) {
    float enter;
    if (!RayHitsBox(worldRay, instance.min, instance.max, tLimit, &enter)) continue;
    auto add = [&](float t, std::uint32_t face) {
      Vec3 world = origin + direction * t;
      picks->push_back({Ref<Frame>(const_cast<Frame*>(instance.frame)),
                        Ref<Visual>(const_cast<MeshBuilder*>(instance.mesh)), face, t * length,
                        refIdentity ? world : refInverse.TransformPoint(world)});
    };
    if (boxesOnly) {
      if (enter > 0.0f) add(enter, ~0u);
      continue;
    }
    const LocalRay local = instance.identity ? worldRay
                                             : MakeLocalRay(instance.toLocal.TransformPoint(origin),
                                                            instance.toLocal.TransformVector(direction));
    float tMax = tLimit;
    if (nearestOnly) {
      float best = 0.0f;
      std::uint32_t bestFace = 0;
      IntersectPickMesh(*instance.data, local, &tMax, true, [&](float t, std::uint32_t face) {
        best = t;
        bestFace = face;
      });
      if (best > 0.0f) add(best, bestFace);
    } else {
      // The fan triangles of one face are one primitive: a ray through
      // their shared edge meets the face once.
      const std::size_t first = picks->size();
      IntersectPickMesh(*instance.data, local, &tMax, false, [&](float t, std::uint32_t face) {
        for (std::size_t k = first; k < picks->size(); ++k) {
          if ((*picks)[k].face == face) {
            if (t * length < (*picks)[k].distance) {
              picks->erase(picks->begin() + static_cast<std::ptrdiff_t>(k));
              add(t, face);
            }
            return;
          }
        }
        add(t, face);
      });
    }
  }
  SortByDistance(picks);
  return kOk;
}

}  // namespace platform::rm

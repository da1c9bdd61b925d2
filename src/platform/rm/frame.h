#pragma once
// Frames: the scene tree. Each frame has a transform to its parent's
// coordinates (row vectors, the rows being its axes and origin), holds its
// children, visuals and lights, and may carry a rotation and a velocity that
// Move applies. A frame without parent is a scene root; world coordinates are
// the coordinates its transform maps into.
//
// Reference frames: every call that takes a `ref` reads and writes its
// vectors in ref's coordinates; a null ref means world coordinates.
//
// Single-threaded: the caches below are filled on read.
#include <cstdint>
#include <limits>
#include <memory>
#include <vector>

#include "platform/ref.h"
#include "platform/result.h"
#include "platform/rm/color.h"
#include "platform/rm/light.h"
#include "platform/rm/math.h"
#include "platform/rm/visual.h"

namespace platform::rm {

struct Ray;
struct Pick;
namespace detail {
struct PickScene;
}

enum class Constraint : std::uint32_t { Z = 0, Y = 1, X = 2 };

class Frame final : public RefCounted {
 public:
  Frame();
  ~Frame() override;

  const Frame* GetScene() const;  // the root of this frame's tree
  const std::vector<Ref<Frame>>& Children() const { return children_; }
  // Takes child from its current parent, if any. The child keeps its
  // transform relative to its parent, so it moves with the change of
  // parent. Refuses (kErrBadValue) null, this frame and its ancestors.
  HResult AddChild(const Ref<Frame>& child);

  // --- visuals and lights ---
  const std::vector<Ref<Visual>>& Visuals() const { return visuals_; }
  // Adding a visual this frame already holds does nothing.
  HResult AddVisual(const Ref<Visual>& visual);
  // kErrNotFound when this frame does not hold the visual.
  HResult DeleteVisual(const Visual* visual);
  const std::vector<Ref<Light>>& Lights() const { return lights_; }
  HResult AddLight(const Ref<Light>& light);

  // --- scene background (stored on the scene root) ---
  HResult SetSceneBackgroundRGB(float r, float g, float b);
  Color GetSceneBackground() const;

  // --- placement ---
  const Matrix& LocalTransform() const { return transform_; }
  // Local to world.
  const Matrix& WorldMatrix() const;
  // Only rigid transforms (orthonormal axes) are supported.
  HResult SetLocalTransform(const Matrix& m);

  HResult SetPosition(const Frame* ref, Vec3 p);
  HResult SetPosition(const Frame* ref, float x, float y, float z) { return SetPosition(ref, Vec3{x, y, z}); }
  HResult GetPosition(const Frame* ref, Vec3* out) const;
  // +z along dir, +y along up made orthogonal; refuses (kErrBadValue, no
  // change) a zero or non-finite vector and up parallel to dir.
  HResult SetOrientation(const Frame* ref, Vec3 dir, Vec3 up);
  HResult SetOrientation(const Frame* ref, float dx, float dy, float dz, float ux, float uy, float uz) {
    return SetOrientation(ref, Vec3{dx, dy, dz}, Vec3{ux, uy, uz});
  }
  HResult GetOrientation(const Frame* ref, Vec3* dir, Vec3* up) const;
  // Turns +z toward target's origin without roll: +y is ref's +y made
  // orthogonal, or the previous +y when that is parallel to the direction.
  // Only Constraint::Z is supported (kErrNotDoneYet otherwise).
  HResult LookAt(const Frame* target, const Frame* ref, Constraint constraint);

  // Points between this frame's and world coordinates.
  Vec3 Transform(Vec3 local) const { return WorldMatrix().TransformPoint(local); }
  Vec3 InverseTransform(Vec3 world) const;

  // --- motion ---
  // Axis and velocity are given in ref's coordinates and kept in parent
  // coordinates from then on.
  HResult SetRotation(const Frame* ref, Vec3 axis, float rate);
  HResult SetRotation(const Frame* ref, float x, float y, float z, float rate) {
    return SetRotation(ref, Vec3{x, y, z}, rate);
  }
  HResult GetRotation(Vec3* axis, float* rate) const;
  HResult SetVelocity(const Frame* ref, Vec3 v, bool withRotation);
  HResult SetVelocity(const Frame* ref, float x, float y, float z, bool withRotation) {
    return SetVelocity(ref, Vec3{x, y, z}, withRotation);
  }
  HResult GetVelocity(Vec3* v, bool* withRotation) const;
  // Advances this frame and every descendant by delta, parents first: each
  // turns about its own origin by rate*delta, then moves by v*delta, both in
  // parent coordinates. A velocity "with rotation" turns with the frame for
  // the next step.
  HResult Move(float delta);

  // --- ray picks (ray_pick.h) ---
  // Every mesh visual in this frame's subtree, ray and results in ref's
  // coordinates; picks sorted nearest first. Only hits with 0 < distance <=
  // maxDistance count (distance in ref units along the ray).
  HResult RayPick(const Frame* ref, const Ray& ray, std::uint32_t flags, std::vector<Pick>* picks,
                  float maxDistance = std::numeric_limits<float>::infinity()) const;

 private:
  void DetachChild(std::size_t index);
  Matrix RefToParent(const Frame* ref) const;  // ref coordinates -> parent
  // Turns the frame so that its axes are x, y, z, given in `ref`'s coordinates.
  void SetAxes(const Frame* ref, Vec3 x, Vec3 y, Vec3 z);
  Matrix ParentWorld() const;

  Frame* parent_ = nullptr;
  std::vector<Ref<Frame>> children_;
  std::vector<Ref<Visual>> visuals_;
  std::vector<Ref<Light>> lights_;
  Matrix transform_{};
  Vec3 rotationAxis_{0, 1, 0};  // parent coordinates
  float rotationRate_ = 0.0f;
  Vec3 velocity_{};  // parent coordinates
  bool velocityWithRotation_ = false;
  Color background_{0, 0, 0, 1};

  mutable Matrix world_{};
  mutable std::uint64_t worldEpoch_ = 0;  // 0: never computed
  mutable std::unique_ptr<detail::PickScene> pickScene_;
};

// Changes whenever anything that ray picks or world matrices depend on
// changes anywhere: a transform, the tree, a frame's visuals, a mesh's
// geometry. Caches compare it with the value they were built at.
std::uint64_t SceneEpoch();
void BumpSceneEpoch();

}  // namespace platform::rm

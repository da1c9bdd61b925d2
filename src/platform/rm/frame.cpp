#include "platform/rm/frame.h"

#include <algorithm>
#include <cmath>

#include "platform/rm/pick_scene.h"
#include "platform/rm/rm_result.h"

namespace platform::rm {
namespace {

std::uint64_t g_sceneEpoch = 1;

bool Finite(Vec3 v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }

// Below this, a vector made orthogonal to a unit direction is taken as
// parallel to it.
constexpr float kParallelLimit = 1e-5f;

bool IsIdentity(const Matrix& m) {
  const Matrix i;
  return m.x == i.x && m.y == i.y && m.z == i.z && m.origin == i.origin;
}

// b * inverse(a): coordinates of b's space expressed in a's space.
Matrix Relative(const Matrix& b, const Matrix& a) {
  if (IsIdentity(a)) return b;
  return b * a.RigidInverse();
}

Vec3 PerpendicularTo(Vec3 z) {
  Vec3 axis = std::fabs(z.x) < 0.9f ? Vec3{1, 0, 0} : Vec3{0, 1, 0};
  return Normalize(Cross(z, axis));
}

}  // namespace

std::uint64_t SceneEpoch() { return g_sceneEpoch; }
void BumpSceneEpoch() { ++g_sceneEpoch; }

Frame::Frame() = default;

Frame::~Frame() {
  for (auto& child : children_) child->parent_ = nullptr;
  for (auto& light : lights_) {
    if (light->frame_ == this) light->frame_ = nullptr;
  }
  BumpSceneEpoch();
}

const Frame* Frame::GetScene() const {
  const Frame* f = this;
  while (f->parent_) f = f->parent_;
  return f;
}

HResult Frame::AddChild(const Ref<Frame>& child) {
  if (!child) return kErrBadObject;
  for (const Frame* f = this; f; f = f->parent_) {
    if (f == child.get()) return kErrBadValue;  // would make a cycle
  }
  if (child->parent_ == this) return kOk;
  Ref<Frame> keep = child;
  if (Frame* old = child->parent_) {
    auto& siblings = old->children_;
    auto it = std::find(siblings.begin(), siblings.end(), child);
    if (it != siblings.end()) old->DetachChild(static_cast<std::size_t>(it - siblings.begin()));
  }
  children_.push_back(keep);
  keep->parent_ = this;
  BumpSceneEpoch();
  return kOk;
}

void Frame::DetachChild(std::size_t index) {
  Ref<Frame> child = children_[index];
  child->parent_ = nullptr;
  children_.erase(children_.begin() + static_cast<std::ptrdiff_t>(index));
  BumpSceneEpoch();
}

HResult Frame::AddVisual(const Ref<Visual>& visual) {
  if (!visual) return kErrBadObject;
  if (std::find(visuals_.begin(), visuals_.end(), visual) != visuals_.end()) return kOk;
  visuals_.push_back(visual);
  BumpSceneEpoch();
  return kOk;
}

HResult Frame::DeleteVisual(const Visual* visual) {
  auto it =
      std::find_if(visuals_.begin(), visuals_.end(), [visual](const Ref<Visual>& v) { return v.get() == visual; });
  if (it == visuals_.end()) return kErrNotFound;
  visuals_.erase(it);
  BumpSceneEpoch();
  return kOk;
}

HResult Frame::AddLight(const Ref<Light>& light) {
  if (!light) return kErrBadObject;
  if (std::find(lights_.begin(), lights_.end(), light) != lights_.end()) return kOk;
  lights_.push_back(light);
  if (!light->frame_) light->frame_ = this;
  return kOk;
}

HResult Frame::SetSceneBackgroundRGB(float r, float g, float b) {
  const_cast<Frame*>(GetScene())->background_ = ClampColor({r, g, b, 1.0f});
  return kOk;
}

Color Frame::GetSceneBackground() const { return GetScene()->background_; }

const Matrix& Frame::WorldMatrix() const {
  const std::uint64_t epoch = g_sceneEpoch;
  if (worldEpoch_ != epoch) {
    world_ = parent_ ? transform_ * parent_->WorldMatrix() : transform_;
    worldEpoch_ = epoch;
  }
  return world_;
}

Matrix Frame::ParentWorld() const { return parent_ ? parent_->WorldMatrix() : Matrix{}; }

Matrix Frame::RefToParent(const Frame* ref) const {
  if (ref == parent_) return Matrix{};
  Matrix refWorld = ref ? ref->WorldMatrix() : Matrix{};
  return Relative(refWorld, ParentWorld());
}

HResult Frame::SetLocalTransform(const Matrix& m) {
  if (!Finite(m.x) || !Finite(m.y) || !Finite(m.z) || !Finite(m.origin)) return kErrBadValue;
  constexpr float kTolerance = 1e-3f;
  auto unit = [](Vec3 v) { return std::fabs(Dot(v, v) - 1.0f) < kTolerance; };
  if (!unit(m.x) || !unit(m.y) || !unit(m.z) || std::fabs(Dot(m.x, m.y)) > kTolerance ||
      std::fabs(Dot(m.y, m.z)) > kTolerance || std::fabs(Dot(m.x, m.z)) > kTolerance) {
    return kErrBadValue;
  }
  transform_ = m;
  BumpSceneEpoch();
  return kOk;
}

HResult Frame::SetPosition(const Frame* ref, Vec3 p) {
  if (!Finite(p)) return kErrBadValue;
  transform_.origin = RefToParent(ref).TransformPoint(p);
  BumpSceneEpoch();
  return kOk;
}

HResult Frame::GetPosition(const Frame* ref, Vec3* out) const {
  if (!out) return kErrBadValue;
  if (ref == this) {
    *out = {};
  } else if (ref == parent_) {
    *out = transform_.origin;
  } else {
    Vec3 world = WorldMatrix().origin;
    *out = ref ? ref->InverseTransform(world) : world;
  }
  return kOk;
}

HResult Frame::SetOrientation(const Frame* ref, Vec3 dir, Vec3 up) {
  if (!Finite(dir) || !Finite(up)) return kErrBadValue;
  Vec3 z = Normalize(dir);
  float upLength = Length(up);
  if (z == Vec3{} || !(upLength > 0.0f)) return kErrBadValue;
  Vec3 upOrthogonal = up - z * Dot(up, z);
  if (!(Length(upOrthogonal) > kParallelLimit * upLength)) return kErrBadValue;
  Vec3 y = Normalize(upOrthogonal);
  SetAxes(ref, Cross(y, z), y, z);
  return kOk;
}

void Frame::SetAxes(const Frame* ref, Vec3 x, Vec3 y, Vec3 z) {
  const Matrix toParent = RefToParent(ref);
  transform_.x = toParent.TransformVector(x);
  transform_.y = toParent.TransformVector(y);
  transform_.z = toParent.TransformVector(z);
  BumpSceneEpoch();
}

HResult Frame::GetOrientation(const Frame* ref, Vec3* dir, Vec3* up) const {
  if (!dir || !up) return kErrBadValue;
  if (ref == this) {
    *dir = {0, 0, 1};
    *up = {0, 1, 0};
  } else if (ref == parent_) {
    *dir = transform_.z;
    *up = transform_.y;
  } else {
    Matrix m = Relative(WorldMatrix(), ref ? ref->WorldMatrix() : Matrix{});
    *dir = m.z;
    *up = m.y;
  }
  return kOk;
}

HResult Frame::LookAt(const Frame* target, const Frame* ref, Constraint constraint) {
  if (!target) return kErrBadObject;
  if (constraint != Constraint::Z) return kErrNotDoneYet;
  const Matrix& world = WorldMatrix();
  Vec3 z = Normalize(target->WorldMatrix().origin - world.origin);
  if (z == Vec3{}) return kErrBadValue;  // at the target: no direction to face
  Vec3 wanted = ref ? ref->WorldMatrix().y : Vec3{0, 1, 0};
  Vec3 y{};
  for (Vec3 candidate : {wanted, world.y, world.z}) {
    Vec3 orthogonal = candidate - z * Dot(candidate, z);
    if (Length(orthogonal) > kParallelLimit) {
      y = Normalize(orthogonal);
      break;
    }
  }
  if (y == Vec3{}) y = PerpendicularTo(z);
  SetAxes(nullptr, Cross(y, z), y, z);  // found in world coordinates
  return kOk;
}

Vec3 Frame::InverseTransform(Vec3 world) const {
  const Matrix& m = WorldMatrix();
  if (IsIdentity(m)) return world;
  return m.RigidInverse().TransformPoint(world);
}

HResult Frame::SetRotation(const Frame* ref, Vec3 axis, float rate) {
  if (!Finite(axis) || !std::isfinite(rate)) return kErrBadValue;
  rotationAxis_ = RefToParent(ref).TransformVector(axis);
  rotationRate_ = rate;
  return kOk;
}

HResult Frame::GetRotation(Vec3* axis, float* rate) const {
  if (!axis || !rate) return kErrBadValue;
  *axis = rotationAxis_;
  *rate = rotationRate_;
  return kOk;
}

HResult Frame::SetVelocity(const Frame* ref, Vec3 v, bool withRotation) {
  if (!Finite(v)) return kErrBadValue;
  velocity_ = RefToParent(ref).TransformVector(v);
  velocityWithRotation_ = withRotation;
  return kOk;
}

HResult Frame::GetVelocity(Vec3* v, bool* withRotation) const {
  if (!v) return kErrBadValue;
  *v = velocity_;
  if (withRotation) *withRotation = velocityWithRotation_;
  return kOk;
}

HResult Frame::Move(float delta) {
  if (!std::isfinite(delta)) return kErrBadValue;
  if (delta == 0.0f) return kOk;
  bool changed = false;
  std::vector<Frame*> pending{this};
  while (!pending.empty()) {
    Frame* f = pending.back();
    pending.pop_back();
    float angle = f->rotationRate_ * delta;
    Vec3 axis = Normalize(f->rotationAxis_);
    Matrix turn;
    bool turning = angle != 0.0f && std::isfinite(angle) && !(axis == Vec3{});
    if (turning) {
      turn = RotationAbout(axis, angle);
      // Re-orthonormalise so that many small turns do not skew the axes.
      Vec3 z = Normalize(turn.TransformVector(f->transform_.z));
      Vec3 y = turn.TransformVector(f->transform_.y);
      y = Normalize(y - z * Dot(y, z));
      f->transform_.x = Cross(y, z);
      f->transform_.y = y;
      f->transform_.z = z;
      changed = true;
    }
    Vec3 moved = f->transform_.origin + f->velocity_ * delta;
    if (!(f->velocity_ == Vec3{}) && Finite(moved)) {  // an overflow leaves the frame be
      f->transform_.origin = moved;
      changed = true;
      if (turning && f->velocityWithRotation_) f->velocity_ = turn.TransformVector(f->velocity_);
    }
    // Reverse order so that children are taken in their order.
    for (auto it = f->children_.rbegin(); it != f->children_.rend(); ++it) pending.push_back(it->get());
  }
  if (changed) BumpSceneEpoch();
  return kOk;
}

}  // namespace platform::rm

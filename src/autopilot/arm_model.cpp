#include "autopilot/arm_model.h"

#include <algorithm>
#include <cmath>

#include "platform/rm/portable_math.h"
#include "scene/scene_objects.h"

namespace autopilot {

using platform::rm::Vec3;
using scene::objects;

namespace {

Plane Rotate(Plane p, double a) {
  const double c = platform::rm::Cos(a), s = platform::rm::Sin(a);
  return {p.f * c - p.h * s, p.f * s + p.h * c};
}
Plane Add(Plane a, Plane b) { return {a.f + b.f, a.h + b.h}; }

// A frame's origin in its parent's plane: the front is -z.
Plane OffsetIn(const scene::Ref<scene::Frame>& frame, const scene::Ref<scene::Frame>& parent, Plane fallback) {
  Vec3 p;
  if (!frame || !parent || frame->GetPosition(parent.get(), &p).Failed()) return fallback;
  return {-p.z, p.y};
}

double JointAngle(const scene::Ref<scene::Frame>& joint, const scene::Ref<scene::Frame>& parent) {
  Vec3 d{0, 0, 1}, u{0, 1, 0};
  if (joint && parent) joint->GetOrientation(parent.get(), &d, &u).Ignore(scene::kPoseResultUnused);
  return platform::rm::Atan2(u.z, u.y);
}

}  // namespace

void ArmModel::Measure() {
  boomAt_ = OffsetIn(objects.arm1Frame, objects.bodyFrame, boomAt_);
  armAt_ = OffsetIn(objects.arm2Frame, objects.arm1Frame, armAt_);
  bucketAt_ = OffsetIn(objects.bucketFrame, objects.arm2Frame, bucketAt_);
  mouth_ = OffsetIn(objects.bucketMouthFrame, objects.bucketFrame, mouth_);
  outline_.clear();
  for (std::size_t i = 1; i < objects.bucketProbe.size(); ++i)
    outline_.push_back(OffsetIn(objects.bucketProbe[i], objects.bucketFrame, {}));
  if (outline_.empty()) return;
  Plane lo = outline_[0], hi = outline_[0];
  for (Plane p : outline_) {
    lo = {std::min(lo.f, p.f), std::min(lo.h, p.h)};
    hi = {std::max(hi.f, p.f), std::max(hi.h, p.h)};
  }
  middle_ = {(lo.f + hi.f) / 2, (lo.h + hi.h) / 2};
}

Joints ArmModel::Current() {
  return {JointAngle(objects.arm1Frame, objects.bodyFrame), JointAngle(objects.arm2Frame, objects.arm1Frame),
          JointAngle(objects.bucketFrame, objects.arm2Frame)};
}

Plane ArmModel::Hinge(const Joints& j) const {
  Plane armHinge = Add(boomAt_, Rotate(armAt_, j.boom));
  return Add(armHinge, Rotate(bucketAt_, j.boom + j.arm));
}

Plane ArmModel::Point(const Joints& j, Plane local) const { return Add(Hinge(j), Rotate(local, Tilt(j))); }

double ArmModel::Lowest(const Joints& j) const {
  double low = 1e9;
  for (Plane p : outline_) low = std::min(low, Point(j, p).h);
  return low;
}

std::vector<Plane> ArmModel::Points(const Joints& j) const {
  std::vector<Plane> points{Hinge(j)};
  for (Plane p : outline_) points.push_back(Point(j, p));
  return points;
}

Plane ArmModel::Reach(const Joints& j) const {
  Plane r{1e9, -1e9};
  for (Plane p : outline_) {
    double f = Point(j, p).f;
    r = {std::min(r.f, f), std::max(r.h, f)};
  }
  return r;
}

double ArmModel::Capacity(double tilt) {
  const double amount = -1000.0 * platform::rm::Cos(tilt) - 600.0;
  return amount > 400 || amount < 0 ? 0 : amount;
}

}  // namespace autopilot

#include "autopilot/chassis_view.h"

#include <cmath>

#include "platform/rm/portable_math.h"
#include "scene/scene_objects.h"

namespace autopilot {

using platform::rm::Vec3;
using scene::objects;

Ground operator-(Ground a, Ground b) { return {a.x - b.x, a.z - b.z}; }
Ground operator+(Ground a, Ground b) { return {a.x + b.x, a.z + b.z}; }
Ground operator*(Ground a, double s) { return {a.x * s, a.z * s}; }
double Dot(Ground a, Ground b) { return a.x * b.x + a.z * b.z; }
double Length(Ground a) { return platform::rm::Hypot(a.x, a.z); }
Ground Unit(Ground a) {
  double l = Length(a);
  return l > 1e-9 ? a * (1 / l) : Ground{0, -1};
}

namespace {

// A frame's front (-z) flattened onto the table.
Ground FrontOf(const scene::Ref<scene::Frame>& frame) {
  Vec3 d{0, 0, 1}, u{0, 1, 0};
  if (frame) frame->GetOrientation(objects.sceneRoot.get(), &d, &u).Ignore(scene::kPoseResultUnused);
  return Unit({-d.x, -d.z});
}

}  // namespace

Plane Stance::InBodyPlane(Vec3 world) const {
  return {Dot({world.x - body.x, world.z - body.z}, bodyFacing), world.y - body.y};
}

double Stance::Swing() const { return TurnAngle(facing, bodyFacing); }

Stance ReadStance() {
  Stance s;
  Vec3 p;
  if (objects.baseFrame) objects.baseFrame->GetPosition(objects.sceneRoot.get(), &p).Ignore(scene::kPoseResultUnused);
  s.chassis = {p.x, p.z};
  if (objects.bodyFrame)
    objects.bodyFrame->GetPosition(objects.sceneRoot.get(), &s.body).Ignore(scene::kPoseResultUnused);
  s.facing = FrontOf(objects.baseFrame);
  s.bodyFacing = FrontOf(objects.bodyFrame);
  return s;
}

double TurnAngle(Ground from, Ground to) {
  // A positive turn about +y carries +z toward +x (left-handed, y up).
  double cross = from.z * to.x - from.x * to.z;
  return platform::rm::Atan2(cross, Dot(from, to));
}

}  // namespace autopilot

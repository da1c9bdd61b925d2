#include "autopilot/vessel_phases.h"

#include <algorithm>
#include <cmath>

#include "autopilot/player_tuning.h"
#include "autopilot/pose_search.h"
#include "core/game_state.h"
#include "scene/scene_objects.h"

namespace autopilot {

namespace {

constexpr double kLeastPour = 60;  // a smaller load may go to 0 in one tilt step
constexpr double kEnough = 35;     // a pour stops this near its order (50 short still scores 100)

// How far the bucket's mouth is from the vessel's axis, across the table.
double MouthGap(const Vessel& v) {
  platform::rm::Vec3 mouth;
  const auto& frame = scene::objects.bucketMouthFrame;
  if (frame) frame->GetPosition(scene::objects.sceneRoot.get(), &mouth).Ignore(scene::kPoseResultUnused);
  return Length(v.axis - Ground{mouth.x, mouth.z});
}

// What the load comes to once this turn's tilt has spilled: the game
// empties a turned bucket a turn later.
double KeptNow(const Joints& now) {
  return std::min<double>(game::gameState.bucketAmount, ArmModel::Capacity(ArmModel::Tilt(now)));
}

const Vessel* NextVessel(const Stage& stage) {
  const Trip& trip = stage.trip;
  if (trip.vesselIndex >= trip.vessels.size() || !game::gameState.bucketLoaded) return nullptr;
  return &stage.layout.vessels[trip.vessels[trip.vesselIndex]];
}

}  // namespace

// The vessel as the chassis and the arm see it this turn.
struct ReachingOverVessel::View {
  double gap;     // from the mouth to the vessel's axis
  double within;  // the gap the mouth aims for
  double room;    // how far the chassis may still go
  double reach;   // the vessel's axis ahead of the body
  double low;     // the lowest the bucket may go, in the body's plane
  double wanted;  // what the reach may spill into the vessel
  // Whether a pose holds the mouth over a vessel `at` ahead, the bucket
  // above its rim and clear of the cab.
  bool Over(const ArmModel& arm, const Joints& j, double at) const {
    return arm.Lowest(j) >= low && arm.Reach(j).f >= kTuckedIn && std::abs(arm.Mouth(j).f - at) <= within;
  }
};

ReachingOverVessel::View ReachingOverVessel::Look(const Stage& stage, const Moment& m, const Vessel& v) const {
  const Stance& s = m.stance;
  return {.gap = MouthGap(v),
          .within = v.pourRadius - 1.5,
          .room = Dot(stage.chassis.ParkFor(v.axis, kParkInset) - s.chassis, s.facing),
          .reach = s.InBodyPlane({static_cast<float>(v.axis.x), 0, static_cast<float>(v.axis.z)}).f,
          .low = std::max(m.travelLow, v.rim + 0.4 - m.body),
          .wanted = std::max(0.0, stage.Remaining(v, stage.trip.ingredient) - kEnough)};
}

// What the reach spills goes into the vessel: no more than it wants. When
// no pose over it, from where the chassis will stop, holds the rest, the
// excess is spilled first, away from it.
double ReachingOverVessel::ShedTarget(const Stage& stage, const Moment& m, const View& view) const {
  const double at = view.reach - std::max(0.0, view.room);
  auto fullest = BestPose([&](const Joints& j) { return view.Over(stage.arm, j, at); },
                          [&](const Joints& j) { return ArmModel::Capacity(ArmModel::Tilt(j)); }, m.joints, Pace());
  return fullest ? ArmModel::Capacity(ArmModel::Tilt(*fullest)) + view.wanted - 5 : 1e9;
}

// The fullest pose over the vessel that keeps the load less what it wants,
// the nearer the present one the better. Keys to wait a turn when the
// choice is put off.
std::optional<Keys> ReachingOverVessel::ChooseGoal(Stage& stage, const Moment& m, const View& view) {
  const Joints& now = m.joints;
  auto holding = [&](double least) {
    return BestPose(
        [&](const Joints& j) {
          return view.Over(stage.arm, j, view.reach) && ArmModel::Capacity(ArmModel::Tilt(j)) >= least;
        },
        [&](const Joints& j) { return ArmModel::Capacity(ArmModel::Tilt(j)) - 20 * JointDistance(j, now); }, now,
        Pace());
  };
  const double keep = game::gameState.bucketAmount - view.wanted;
  goal_ = holding(keep);
  if (goal_) return std::nullopt;
  // Where the chassis stopped, less can be held over the vessel than
  // planned. A load of less than kLeastPour is lost whole in one tilt step
  // (the game unloads the bucket before it credits the pour): rather spill
  // some of it into the vessel on the way, which the 50 the order allows
  // absorbs. Otherwise spill a little more away from it and try again.
  goal_ = holding(std::min<double>(keep, kLeastPour));
  if (goal_) return Keys{};
  *shedTo_ -= 25;
  if (*shedTo_ < 0) stage.failure = "no pose holds the bucket over the vessel";
  return Keys{};
}

Keys ReachingOverVessel::Step(Stage& stage, const Moment& m) {
  const Vessel* v = NextVessel(stage);
  if (!v) {
    stage.Enter(Phase::BackOff);
    return {};
  }
  const View view = Look(stage, m, *v);
  if (!shedTo_) shedTo_ = ShedTarget(stage, m, view);
  // Too much to hold over the vessel: spill it here, backing away first
  // when the mouth is over it.
  if (KeptNow(m.joints) > *shedTo_) {
    if (view.gap < v->pourRadius + 2) return Drive(false);
    return {.right = true, .control = true};
  }
  // Drive as near as the chassis may go, then reach the rest with the arm,
  // keeping the load above the rim.
  if (view.gap > view.within && view.room > DriveStep() * 0.55) return Drive(true);
  if (view.gap > view.within) {
    if (!goal_)
      if (auto wait = ChooseGoal(stage, m, view)) return *wait;
    if (auto keys = steer_.ToGoal(*goal_, view.low, -1e9, 0, 0)) return *keys;
  }
  // Not over the vessel after all: empty the bucket and fetch again.
  stage.Enter(view.gap > v->pourRadius - 0.3 ? Phase::BackOff : Phase::Pour);
  return {};
}

Keys Pour(Stage& stage, const Moment& m) {
  const Vessel* v = NextVessel(stage);
  if (!v) {
    stage.Enter(Phase::BackOff);
    return {};
  }
  // The game credits a tilt in the step after the bucket turned: count
  // what the bucket's present turn is about to pour.
  const double pending = game::gameState.bucketAmount - KeptNow(m.joints);
  if (stage.Remaining(*v, stage.trip.ingredient) - pending <= kEnough) {
    ++stage.trip.vesselIndex;
    stage.Enter(Phase::BackOff);
    return {};
  }
  if (MouthGap(*v) > v->pourRadius - 0.3) {
    stage.Enter(Phase::OverVessel);
    return {};
  }
  return {.right = true, .control = true};
}

}  // namespace autopilot

#pragma once
// Where the excavator stands and faces, read from the scene each turn.
#include "autopilot/arm_model.h"
#include "platform/rm/math.h"

namespace autopilot {

struct Ground {
  double x = 0, z = 0;
};

Ground operator-(Ground a, Ground b);
Ground operator+(Ground a, Ground b);
Ground operator*(Ground a, double s);
double Dot(Ground a, Ground b);
double Length(Ground a);
Ground Unit(Ground a);

struct Stance {
  Ground chassis;           // the chassis's origin
  Ground facing;            // the chassis's front, a unit vector
  Ground bodyFacing;        // the upper structure's front
  platform::rm::Vec3 body;  // the upper structure's origin

  // A world point in the upper structure's vertical plane (its side offset
  // is dropped).
  Plane InBodyPlane(platform::rm::Vec3 world) const;
  // How far the upper structure is swung from the chassis's front, radians,
  // positive as Shift+Right turns it.
  double Swing() const;
};

Stance ReadStance();

// The angle that turns `from` onto `to`, positive as Tab+Right turns the
// chassis.
double TurnAngle(Ground from, Ground to);

}  // namespace autopilot

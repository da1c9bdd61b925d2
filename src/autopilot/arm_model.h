#pragma once
// The excavator's boom, arm and bucket as a planar linkage in the upper
// structure's vertical plane, measured from the scene's own frames, so that
// the autopilot can predict where one more key press puts the bucket.
#include <vector>

namespace autopilot {

// Joint angles relative to their parents, in radians; positive lifts the
// part's front, as a positive rate does.
struct Joints {
  double boom = 0, arm = 0, bucket = 0;
};

// A point of the upper structure's vertical plane: f forward of its axis, h
// above its origin.
struct Plane {
  double f = 0, h = 0;
};

class ArmModel {
 public:
  // Reads the hinge offsets and the bucket's probe outline from the scene.
  void Measure();
  // The joints as the frames stand now.
  static Joints Current();

  Plane Hinge(const Joints& j) const;               // the bucket's hinge
  Plane Point(const Joints& j, Plane local) const;  // a point given in the bucket's frame
  double Lowest(const Joints& j) const;             // lowest probe of the bucket
  Plane Reach(const Joints& j) const;               // nearest (f) and farthest (h) probe forward
  // The bucket's probes and its hinge, where this pose puts them.
  std::vector<Plane> Points(const Joints& j) const;
  Plane Middle(const Joints& j) const { return Point(j, middle_); }
  Plane Mouth(const Joints& j) const { return Point(j, mouth_); }
  // The bucket's turn relative to the upper structure; what it holds depends
  // on nothing else.
  static double Tilt(const Joints& j) { return j.boom + j.arm + j.bucket; }
  // What a bucket turned so holds before any load caps it.
  static double Capacity(double tilt);

 private:
  Plane boomAt_{2, 0}, armAt_{7.4, 11.5}, bucketAt_{7.7, 0.1};
  Plane middle_{2.1, 0.6}, mouth_{3.2, 0};
  std::vector<Plane> outline_;
};

}  // namespace autopilot

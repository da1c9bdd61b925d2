#pragma once
// Vectors and affine transforms of the retained-mode scene. Left-handed, y up,
// row vectors: v_parent = v_local * M, the rows of M being the local x, y and
// z axes and the origin, all in parent coordinates.
#include <cmath>

#include "platform/rm/portable_math.h"

namespace platform::rm {

struct Vec3 {
  float x = 0, y = 0, z = 0;

  friend Vec3 operator+(Vec3 a, Vec3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
  friend Vec3 operator-(Vec3 a, Vec3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
  friend Vec3 operator-(Vec3 a) { return {-a.x, -a.y, -a.z}; }
  friend Vec3 operator*(Vec3 a, float s) { return {a.x * s, a.y * s, a.z * s}; }
  friend Vec3 operator*(float s, Vec3 a) { return a * s; }
  friend bool operator==(Vec3 a, Vec3 b) { return a.x == b.x && a.y == b.y && a.z == b.z; }
  Vec3& operator+=(Vec3 b) { return *this = *this + b; }
  Vec3& operator-=(Vec3 b) { return *this = *this - b; }
};

inline float Dot(Vec3 a, Vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline Vec3 Cross(Vec3 a, Vec3 b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
inline float Length(Vec3 a) { return std::sqrt(Dot(a, a)); }
// A zero (or non-finite) vector stays zero instead of becoming NaN.
inline Vec3 Normalize(Vec3 a) {
  float len = Length(a);
  if (!(len > 0.0f) || !std::isfinite(len)) return {};
  return a * (1.0f / len);
}

struct Matrix {
  Vec3 x{1, 0, 0}, y{0, 1, 0}, z{0, 0, 1}, origin{};

  Vec3 TransformPoint(Vec3 v) const { return x * v.x + y * v.y + z * v.z + origin; }
  Vec3 TransformVector(Vec3 v) const { return x * v.x + y * v.y + z * v.z; }

  // this * b: first this, then b (row vectors).
  Matrix operator*(const Matrix& b) const {
    return {b.TransformVector(x), b.TransformVector(y), b.TransformVector(z), b.TransformPoint(origin)};
  }

  // Inverse of an affine transform with orthonormal axes (rotation + translation).
  Matrix RigidInverse() const {
    Matrix r;
    r.x = {x.x, y.x, z.x};
    r.y = {x.y, y.y, z.y};
    r.z = {x.z, y.z, z.z};
    r.origin = -r.TransformVector(origin);
    return r;
  }
};

// Rotation about a unit axis through the origin by angle (radians); a positive
// angle about +z turns +x toward +y.
inline Matrix RotationAbout(Vec3 axis, float angle) {
  Vec3 a = Normalize(axis);
  float c = Cos(angle), s = Sin(angle), t = 1.0f - c;
  Matrix m;
  m.x = {t * a.x * a.x + c, t * a.x * a.y + s * a.z, t * a.x * a.z - s * a.y};
  m.y = {t * a.x * a.y - s * a.z, t * a.y * a.y + c, t * a.y * a.z + s * a.x};
  m.z = {t * a.x * a.z + s * a.y, t * a.y * a.z - s * a.x, t * a.z * a.z + c};
  return m;
}

}  // namespace platform::rm

#pragma once
// The shapes every model is made of. Each adds closed or open surfaces to a
// mesh with its faces turned outward.
#include <array>
#include <utility>
#include <vector>

#include "mesh.h"

namespace models {

enum class Axis { kX, kY, kZ };

// A point of a 2D outline or profile.
struct Point2 {
  float u = 0, v = 0;
};

// Axis-aligned box between two corners.
void AddBox(Mesh& mesh, const Rgba& colour, Vec3 min, Vec3 max);

// A surface of revolution about the line through `centre` along `axis`.
// Each profile point is (radius, height along the axis from `centre`); the
// outside of the surface lies to the right of the profile's direction seen
// with the radius to the right and the height up, so a solid is described
// bottom centre, out, up, back in to the top centre. Points at radius 0 close
// the surface at a pole. `scale1`/`scale2` stretch the radius along the first
// and second perpendicular axes (y: x and z; x: y and z; z: x and y) for
// oval sections. Sides are shaded smooth around the axis unless `flat`.
struct LatheOptions {
  int segments = 16;
  float scale1 = 1, scale2 = 1;
  bool flat = false;
};
void AddLathe(Mesh& mesh, const Rgba& colour, Axis axis, Vec3 centre, const std::vector<Point2>& profile,
              const LatheOptions& options);

// A prism: a simple polygon (any winding, convex or not) extruded from w0 to
// w1 along `axis`, with both ends closed. The outline's coordinates, seen
// looking along +axis: x: (u, v) = (-z, y), the side view with the
// excavator's front (-z) to the right; y: (u, v) = (x, z); z: (u, v) = (x, y).
void AddExtrusion(Mesh& mesh, const Rgba& colour, Axis axis, float w0, float w1, const std::vector<Point2>& outline);

// A flat bar of the given width following a polyline in the outline plane
// (see AddExtrusion), mitred at its corners and cut square at its ends,
// extruded from w0 to w1.
void AddStroke(Mesh& mesh, const Rgba& colour, Axis axis, float w0, float w1, float width,
               const std::vector<Point2>& path);

// Maps outline coordinates and a depth along `axis` to model coordinates.
Vec3 FromPlane(Axis axis, float u, float v, float w);

// Triangles covering a simple polygon: index triples into `polygon`.
// Throws std::invalid_argument for fewer than three points or an outline
// that crosses itself so that no ear can be cut.
std::vector<std::array<int, 3>> Triangulate(const std::vector<Point2>& polygon);

}  // namespace models

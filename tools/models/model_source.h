#pragma once
// Reading a model's readable source: one shape per line.
//
//   # comment
//   colour NAME r g b [a]                     components 0..1; alpha 1 if left out
//   offset dx dy dz                           moves every later shape
//   box COLOUR x0 y0 z0 x1 y1 z1
//   cylinder COLOUR AXIS cx cy cz r h0 h1 [segments]        closed
//   tube COLOUR AXIS cx cy cz r_out r_in h0 h1 [segments]   closed ring
//   lathe COLOUR AXIS cx cy cz segments [flat] [scale s1 s2] : r h r h ...
//   extrude COLOUR AXIS w0 w1 : u v u v ...
//   stroke COLOUR AXIS w0 w1 width : u v u v ...
//
// AXIS is x, y or z; cylinder, tube and lathe heights run along the axis
// from (cx, cy, cz). See primitives.h for the lathe's profile direction and
// the extrusion's outline plane.
#include <map>
#include <stdexcept>
#include <string>

#include "mesh.h"

namespace models {

class SourceError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

using Palette = std::map<std::string, Rgba>;

// Adds the colours defined in `path` (colour lines only) to `palette`.
void ReadPalette(const std::string& path, Palette& palette);

// Builds the model described in `path`. Colours come from `palette` and
// from the file's own colour lines. Throws SourceError naming file and line.
Mesh ReadModel(const std::string& path, const Palette& palette);

}  // namespace models

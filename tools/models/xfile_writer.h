#pragma once
// Writes a mesh as a DirectX .x text file: one Mesh with its materials (one
// per face colour, alpha included) and a normal per face corner.
#include <string>

#include "mesh.h"

namespace models {

std::string XFileText(const Mesh& mesh, const std::string& name);

}  // namespace models

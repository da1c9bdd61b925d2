#include "xfile_writer.h"

#include <cctype>
#include <cstdio>
#include <map>
#include <tuple>
#include <vector>

namespace models {

namespace {

// Enough digits for the geometry, no more: the files stay readable.
std::string Num(float v) {
  char text[32];
  std::snprintf(text, sizeof text, "%.4f", static_cast<double>(v));
  std::string s = text;
  while (s.size() > 1 && s.back() == '0') s.pop_back();
  if (s.back() == '.') s.pop_back();
  if (s == "-0") s = "0";
  return s;
}

std::string Triple(Vec3 v) { return Num(v.x) + ";" + Num(v.y) + ";" + Num(v.z) + ";"; }

// Identifiers may not contain '-'.
std::string Identifier(const std::string& name) {
  std::string id;
  for (char c : name) id += (std::isalnum(static_cast<unsigned char>(c)) ? c : '_');
  return id;
}

}  // namespace

std::string XFileText(const Mesh& mesh, const std::string& name) {
  const auto& positions = mesh.Positions();
  const auto& triangles = mesh.Triangles();
  std::string out = "xof 0302txt 0032\n\n";
  out += "Mesh " + Identifier(name) + " {\n";
  out += " " + std::to_string(positions.size()) + ";\n";
  for (std::size_t i = 0; i < positions.size(); ++i)
    out += " " + Triple(positions[i]) + (i + 1 < positions.size() ? ",\n" : ";\n");
  out += " " + std::to_string(triangles.size()) + ";\n";
  for (std::size_t i = 0; i < triangles.size(); ++i) {
    const auto& t = triangles[i];
    out += " 3;" + std::to_string(t.position[0]) + "," + std::to_string(t.position[1]) + "," +
           std::to_string(t.position[2]) + ";" + (i + 1 < triangles.size() ? ",\n" : ";\n");
  }

  const auto& colours = mesh.Colours();
  out += "\n MeshMaterialList {\n  " + std::to_string(colours.size()) + ";\n  " + std::to_string(triangles.size()) +
         ";\n  ";
  for (std::size_t i = 0; i < triangles.size(); ++i)
    out += std::to_string(triangles[i].colour) + (i + 1 < triangles.size() ? "," : ";;\n");
  for (const Rgba& c : colours) {
    out += "  Material {\n   " + Num(c.r) + ";" + Num(c.g) + ";" + Num(c.b) + ";" + Num(c.a) +
           ";;\n   8;\n   0.1;0.1;0.1;;\n   0;0;0;;\n  }\n";
  }
  out += " }\n";

  // Normals shared where a corner's normal repeats.
  std::vector<Vec3> normals;
  std::map<std::tuple<std::string, std::string, std::string>, std::size_t> index;
  std::vector<std::size_t> corner;
  for (const auto& t : triangles)
    for (const Vec3& n : t.normal) {
      auto key = std::make_tuple(Num(n.x), Num(n.y), Num(n.z));
      auto [it, added] = index.emplace(key, normals.size());
      if (added) normals.push_back(n);
      corner.push_back(it->second);
    }
  out += "\n MeshNormals {\n  " + std::to_string(normals.size()) + ";\n";
  for (std::size_t i = 0; i < normals.size(); ++i)
    out += "  " + Triple(normals[i]) + (i + 1 < normals.size() ? ",\n" : ";\n");
  out += "  " + std::to_string(triangles.size()) + ";\n";
  for (std::size_t i = 0; i < triangles.size(); ++i)
    out += "  3;" + std::to_string(corner[3 * i]) + "," + std::to_string(corner[3 * i + 1]) + "," +
           std::to_string(corner[3 * i + 2]) + ";" + (i + 1 < triangles.size() ? ",\n" : ";\n");
  out += " }\n}\n";
  return out;
}

}  // namespace models

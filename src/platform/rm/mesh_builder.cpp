#include "platform/rm/mesh_builder.h"

#include <cmath>
#include <utility>

#include "platform/rm/frame.h"
#include "platform/rm/pick_scene.h"
#include "platform/rm/rm_result.h"
#include "platform/rm/xfile_reader.h"

namespace platform::rm {
namespace {

bool Finite(Vec3 v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }

// Unit normal on the front side (clockwise winding seen from the front), from
// the sum of the fan triangles' cross products; zero for a degenerate face.
Vec3 FaceNormal(const std::vector<Vec3>& positions, const std::uint32_t* indices, std::uint32_t n) {
  Vec3 sum{};
  Vec3 p0 = positions[indices[0]];
  for (std::uint32_t k = 1; k + 1 < n; ++k) {
    sum += Cross(positions[indices[k]] - p0, positions[indices[k + 1]] - p0);
  }
  return Normalize(sum);
}

HResult Validate(const MeshData& d) {
  constexpr std::size_t kLimit = 1u << 30;  // keeps every index and count in 32 bits
  if (d.positions.size() >= kLimit || d.faceIndices.size() >= kLimit || d.normals.size() >= kLimit) {
    return kErrBadValue;
  }
  for (Vec3 p : d.positions) {
    if (!Finite(p)) return kErrBadValue;
  }
  std::size_t total = 0;
  for (std::uint32_t size : d.faceSizes) total += size;
  if (total != d.faceIndices.size()) return kErrBadValue;
  for (std::uint32_t i : d.faceIndices) {
    if (i >= d.positions.size()) return kErrBadValue;
  }
  if (!d.faceNormalIndices.empty()) {
    if (d.faceNormalIndices.size() != d.faceIndices.size()) return kErrBadValue;
    for (std::uint32_t i : d.faceNormalIndices) {
      if (i >= d.normals.size()) return kErrBadValue;
    }
    for (Vec3 n : d.normals) {
      if (!Finite(n)) return kErrBadValue;
    }
  }
  if (!d.faceColors.empty() && d.faceColors.size() != d.faceSizes.size()) return kErrBadValue;
  if (!d.vertexColors.empty() && d.vertexColors.size() != d.positions.size()) return kErrBadValue;
  return kOk;
}

}  // namespace

MeshBuilder::MeshBuilder() = default;
MeshBuilder::~MeshBuilder() = default;

HResult MeshBuilder::Load(const std::string& path, std::string* why) {
  MeshData data;
  HResult hr = ReadXMeshFile(path, &data, why);
  if (Failed(hr)) return hr;
  if (Failed(SetMesh(data))) {
    if (why) *why = "faces or coordinates out of range";
    return kErrBadFile;
  }
  return kOk;
}

HResult MeshBuilder::LoadFromText(std::string_view text) {
  MeshData data;
  HResult hr = ReadXMesh(text, &data);
  if (Failed(hr)) return hr;
  return Failed(SetMesh(data)) ? kErrBadFile : kOk;
}

HResult MeshBuilder::SetMesh(const MeshData& d) {
  HResult hr = Validate(d);
  if (Failed(hr)) return hr;

  std::vector<MeshFace> faces(d.faceSizes.size());
  std::vector<MeshTriangle> triangles;
  const bool givenNormals = !d.faceNormalIndices.empty();
  std::vector<Vec3> normals;
  if (givenNormals) {
    normals.reserve(d.normals.size());
    for (Vec3 n : d.normals) normals.push_back(Normalize(n));
  } else {
    normals.assign(d.positions.size(), Vec3{});
  }

  std::size_t offset = 0;
  for (std::size_t f = 0; f < faces.size(); ++f) {
    const std::uint32_t n = d.faceSizes[f];
    const std::uint32_t* v = d.faceIndices.data() + offset;
    MeshFace& face = faces[f];
    face.color = d.faceColors.empty() ? Color{} : ClampColor(d.faceColors[f]);
    face.firstTriangle = static_cast<std::uint32_t>(triangles.size());
    if (n >= 3) {
      face.normal = FaceNormal(d.positions, v, n);
      const std::uint32_t* vn = givenNormals ? d.faceNormalIndices.data() + offset : v;
      for (std::uint32_t k = 1; k + 1 < n; ++k) {
        triangles.push_back({{v[0], v[k], v[k + 1]}, {vn[0], vn[k], vn[k + 1]}, static_cast<std::uint32_t>(f)});
      }
      if (!givenNormals) {
        for (std::uint32_t k = 0; k < n; ++k) normals[v[k]] += face.normal;
      }
    }
    face.triangleCount = static_cast<std::uint32_t>(triangles.size()) - face.firstTriangle;
    offset += n;
  }
  if (!givenNormals) {
    for (Vec3& n : normals) n = Normalize(n);
  }

  Box bounds;
  for (Vec3 p : d.positions) {
    if (bounds.empty) {
      bounds = {p, p, false};
      continue;
    }
    bounds.min = {std::min(bounds.min.x, p.x), std::min(bounds.min.y, p.y), std::min(bounds.min.z, p.z)};
    bounds.max = {std::max(bounds.max.x, p.x), std::max(bounds.max.y, p.y), std::max(bounds.max.z, p.z)};
  }

  positions_ = d.positions;
  normals_ = std::move(normals);
  faces_ = std::move(faces);
  triangles_ = std::move(triangles);
  bounds_ = bounds;
  pick_.reset();
  BumpSceneEpoch();
  return kOk;
}

HResult MeshBuilder::SetColor(std::uint32_t argb) {
  Color c = ColorFromArgb(argb);
  for (MeshFace& face : faces_) face.color = c;
  return kOk;
}

HResult MeshBuilder::SetQuality(Quality quality) {
  const Quality known = kShadeMask | kLightMask | kFillMask;
  if ((quality & ~known) != 0 || ShadeOf(quality) > kShadePhong ||
      (LightOf(quality) != kLightOff && LightOf(quality) != kLightOn) || FillOf(quality) > kFillSolid) {
    return kErrBadValue;
  }
  quality_ = quality;
  return kOk;
}

const detail::PickMesh& MeshBuilder::PickData() const {
  if (!pick_) pick_ = detail::BuildPickMesh(*this);
  return *pick_;
}

}  // namespace platform::rm

#pragma once
// A mesh builder: triangulated geometry with per-face colours, loaded from a
// .x text file or built from MeshData. One builder may be shown by several
// frames at once.
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/result.h"
#include "platform/rm/color.h"
#include "platform/rm/math.h"
#include "platform/rm/mesh_data.h"
#include "platform/rm/quality.h"
#include "platform/rm/visual.h"

namespace platform::rm {

namespace detail {
struct PickMesh;  // ray-pick acceleration, built on first use
}

struct Box {
  Vec3 min{}, max{};
  bool empty = true;
};

// One polygon of the source mesh. Front faces run clockwise seen from the
// front; normal is the unit normal on the front side (zero if degenerate).
struct MeshFace {
  Color color{};  // clamped to [0, 1] when set: the renderer takes it as it is
  Vec3 normal{};
  std::uint32_t firstTriangle = 0;  // its triangles are consecutive
  std::uint32_t triangleCount = 0;
};

// A fan triangle of a face, in the face's winding.
struct MeshTriangle {
  std::array<std::uint32_t, 3> vertex{};  // into Positions()
  std::array<std::uint32_t, 3> normal{};  // into Normals()
  std::uint32_t face = 0;                 // into Faces()
};

class MeshBuilder final : public Visual {
 public:
  VisualKind Kind() const override { return VisualKind::Mesh; }

  // Replaces the contents with the first mesh of a .x text file. On failure
  // the builder keeps what it had. Missing file: kErrFileNotFound; a file
  // that is not a readable .x text mesh: kErrBadFile; no mesh: kErrNotFound.
  // `why`, when given, says in a few words what was wrong.
  HResult Load(const std::string& path, std::string* why = nullptr);
  // The same, from the file's text in memory.
  HResult LoadFromText(std::string_view text);
  // Replaces the contents; refuses (kErrBadValue) indices out of range,
  // inconsistent optional arrays and non-finite coordinates.
  HResult SetMesh(const MeshData& data);

  // Every face takes this colour (0xAARRGGBB, alpha included).
  HResult SetColor(std::uint32_t argb);

  HResult SetQuality(Quality quality);
  Quality GetQuality() const { return quality_; }

  // For renderers and picks.
  const std::vector<Vec3>& Positions() const { return positions_; }
  const std::vector<Vec3>& Normals() const { return normals_; }
  const std::vector<MeshFace>& Faces() const { return faces_; }
  const std::vector<MeshTriangle>& Triangles() const { return triangles_; }
  const Box& Bounds() const { return bounds_; }

  const detail::PickMesh& PickData() const;

  MeshBuilder();
  ~MeshBuilder() override;

 private:
  std::vector<Vec3> positions_;
  std::vector<Vec3> normals_;
  std::vector<MeshFace> faces_;
  std::vector<MeshTriangle> triangles_;
  Box bounds_;
  Quality quality_ = kRenderGouraud;
  mutable std::shared_ptr<const detail::PickMesh> pick_;
};

}  // namespace platform::rm

#pragma once
// Reading the first mesh of a DirectX .x file in text form. Every count and
// index is checked against the data; nesting is handled without recursion.
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/result.h"
#include "platform/rm/mesh_data.h"

namespace platform::rm {

// A model with more vertices or faces than these is refused as a bad file,
// as is a file larger than FileSizeLimit(FileKind::kModel): our largest model
// has 279 vertices and fits in 22 KB, and a hostile one must not make the
// renderer work for minutes a picture (docs/models.md).
constexpr std::uint32_t kMaxXVertices = 16384;
constexpr std::uint32_t kMaxXFaces = 16384;

// The first Mesh in file order, at any depth inside Frames, with the
// FrameTransformMatrix of every enclosing Frame applied. kErrBadFile for a
// header that is not "xof 03xxtxt 0032/0064" (binary and compressed files
// included) or malformed data; kErrNotFound when the file holds no mesh.
// On failure `why`, when given, says what is wrong in a few words.
HResult ReadXMesh(std::string_view text, MeshData* out, std::string* why = nullptr);
// The same from a file; kErrFileNotFound when it is missing, kErrBadFile
// when it is not a regular file or is larger than its cap.
HResult ReadXMeshFile(const std::string& path, MeshData* out, std::string* why = nullptr);

}  // namespace platform::rm

#pragma once
// Reading the first mesh of a DirectX .x file in text form. Every count and
// index is checked against the data; nesting is handled without recursion.
#include <string>
#include <string_view>

#include "platform/result.h"
#include "platform/rm/mesh_data.h"

namespace platform::rm {

// Files larger than this are refused as bad files.
constexpr std::size_t kMaxXFileBytes = 16u << 20;

// The first Mesh in file order, at any depth inside Frames, with the
// FrameTransformMatrix of every enclosing Frame applied. kErrBadFile for a
// header that is not "xof 03xxtxt 0032/0064" (binary and compressed files
// included) or malformed data; kErrNotFound when the file holds no mesh.
HResult ReadXMesh(std::string_view text, MeshData* out);
// The same from a file; kErrFileNotFound when it cannot be opened.
HResult ReadXMeshFile(const std::string& path, MeshData* out);

}  // namespace platform::rm

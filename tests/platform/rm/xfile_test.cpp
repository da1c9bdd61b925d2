#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/rm/rm_object.h"
#include "platform/rm/xfile_reader.h"

namespace platform::rm {
namespace {

const std::string kHeader = "xof 0302txt 0032\n";

// A square (two vertices shared by a quad and a triangle), a named material
// referenced by the list, normals and texture coordinates, in the style of
// the common exporters: ';' after members, ',' between array elements.
const std::string kWellFormed = kHeader + R"(
template Vector { <3D82AB5E-62DA-11cf-AB39-0020AF71E433> FLOAT x; FLOAT y; FLOAT z; }
// a comment { with a brace
# another comment }
Material Red {
 1.000000;0.000000;0.000000;0.500000;; 5.0; 0.0;0.0;0.0;; 0.0;0.0;0.0;;
 TextureFilename { "red{}.bmp"; }
}
Mesh Square {
 5;
 0.0;0.0;0.0;, 0.0;1.0;0.0;, 1.0;1.0;0.0;, 1.0;0.0;0.0;, 2.0;0.5;0.0;;
 2;
 4;0,1,2,3;,
 3;3,2,4;;
 MeshMaterialList {
  2; 2; 1, 0;;
  {Red}
  Material { 0.0;0.0;1.0;1.0;; 0.0; 0.0;0.0;0.0;; 0.0;0.0;0.0;; }
 }
 MeshNormals { 1; 0.0;0.0;-2.0;; 2; 4;0,0,0,0;, 3;0,0,0;; }
 MeshTextureCoords { 5; 0.0;0.0;, 0.0;1.0;, 1.0;1.0;, 1.0;0.0;, 1.0;0.5;; }
}
)";

MeshData Read(const std::string& text, HResult expected = kOk) {
  MeshData mesh;
  EXPECT_EQ(ReadXMesh(text, &mesh), expected);
  return mesh;
}

std::string SimpleMesh(const std::string& body = "3; 0;0;0;, 0;1;0;, 1;0;0;; 1; 3;0,1,2;;") {
  return kHeader + "Mesh {\n" + body + "\n}\n";
}

TEST(XFile, ReadsVerticesFacesMaterialsAndNormals) {
  MeshData m = Read(kWellFormed);
  ASSERT_EQ(m.positions.size(), 5u);
  EXPECT_EQ(m.positions[4], (Vec3{2.0f, 0.5f, 0.0f}));
  EXPECT_EQ(m.faceSizes, (std::vector<std::uint32_t>{4, 3}));
  EXPECT_EQ(m.faceIndices, (std::vector<std::uint32_t>{0, 1, 2, 3, 3, 2, 4}));
  ASSERT_EQ(m.faceColors.size(), 2u);
  EXPECT_EQ(m.faceColors[0], (Color{0, 0, 1, 1}));     // the inline material
  EXPECT_EQ(m.faceColors[1], (Color{1, 0, 0, 0.5f}));  // the named one, alpha kept
  ASSERT_EQ(m.normals.size(), 1u);
  EXPECT_EQ(m.faceNormalIndices.size(), 7u);
}

TEST(XFile, OtherExportersSeparatorsAndLayout) {
  // Commas everywhere, no trailing separators, everything on one line.
  MeshData a = Read(SimpleMesh("3, 0,0,0, 0,1,0, 1,0,0, 1, 3,0,1,2"));
  // Semicolons everywhere and doubled, numbers in other spellings.
  MeshData b = Read(SimpleMesh("3;; 0.;+0;0e0;; 0;1.0;0;; 1;0;-0;;; 1;; 3;0;1;2;;;"));
  ASSERT_EQ(a.positions.size(), 3u);
  EXPECT_EQ(a.positions, b.positions);
  EXPECT_EQ(a.faceIndices, b.faceIndices);
  // A data object with a name and a GUID, and CRLF line ends.
  MeshData c = Read(kHeader + "Mesh named <01234567-89ab> {\r\n 3;0;0;0;,0;1;0;,1;0;0;;\r\n1;3;0,1,2;;\r\n}");
  EXPECT_EQ(c.positions.size(), 3u);
  // Header with 64-bit floats and minor version 03.
  EXPECT_EQ(Read("xof 0303txt 0064" + SimpleMesh().substr(kHeader.size() - 1)).faceSizes.size(), 1u);
}

TEST(XFile, MissingAndUnreadableFiles) {
  Ref<MeshBuilder> mesh;
  ASSERT_EQ(CreateMeshBuilder(&mesh), kOk);
  for (const std::string& path : {std::string("no-such-model.x"), std::string()})
    EXPECT_EQ(mesh->Load(path), kErrFileNotFound) << path;
  std::string why;
  EXPECT_EQ(mesh->Load(std::filesystem::temp_directory_path().string(), &why), kErrBadFile);
  EXPECT_EQ(why, "is a folder, not a file");

  auto path = std::filesystem::temp_directory_path() / ("zarn-" + std::to_string(::getpid()) + "-xfile_test.x");
  std::ofstream(path, std::ios::binary) << kWellFormed;
  EXPECT_EQ(mesh->Load(path.string()), kOk);
  std::filesystem::remove(path);
  // A refused model leaves the builder as it was.
  EXPECT_EQ(mesh->LoadFromText(SimpleMesh("3; 0;0;0;, 0;1;0;, 1;0;0;; 1; 3;0,1,9;;")), kErrBadFile);
  EXPECT_EQ(mesh->Faces().size(), 2u);
}

// A hostile model must not make every picture take minutes: past the limits
// it is refused, and the reason names the limit.
TEST(XFile, ModelsOverTheLimitsAreRefusedSayingWhich) {
  auto vertices = [](std::uint32_t n) {
    std::string list = std::to_string(n) + ";";
    for (std::uint32_t i = 0; i < n; ++i) list.append(i ? ", " : " ").append("0;0;0;");
    return list + ";";
  };
  auto triangles = [](std::uint32_t n) {
    std::string list = std::to_string(n) + ";";
    for (std::uint32_t i = 0; i < n; ++i) list.append(i ? ", " : " ").append("3;0,1,2;");
    return list + ";";
  };
  MeshData mesh;
  std::string why;
  EXPECT_EQ(ReadXMesh(SimpleMesh(vertices(kMaxXVertices) + " " + triangles(1)), &mesh, &why), kOk) << why;
  EXPECT_EQ(ReadXMesh(SimpleMesh(vertices(3) + " " + triangles(kMaxXFaces)), &mesh, &why), kOk) << why;
  EXPECT_EQ(ReadXMesh(SimpleMesh(vertices(kMaxXVertices + 1) + " " + triangles(1)), &mesh, &why), kErrBadFile);
  EXPECT_NE(why.find("more than the 16384"), std::string::npos) << why;
  EXPECT_EQ(ReadXMesh(SimpleMesh(vertices(3) + " " + triangles(kMaxXFaces + 1)), &mesh, &why), kErrBadFile);
  EXPECT_NE(why.find("faces, more than the 16384"), std::string::npos) << why;

  auto path = std::filesystem::temp_directory_path() / ("zarn-" + std::to_string(::getpid()) + "-huge.x");
  std::ofstream(path, std::ios::binary) << SimpleMesh() << std::string(5 << 20, ' ');
  EXPECT_EQ(ReadXMeshFile(path.string(), &mesh, &why), kErrBadFile);
  EXPECT_NE(why.find("bytes allowed"), std::string::npos) << why;
  std::filesystem::remove(path);
}

TEST(XFile, RefusesOtherFormatsAndHeaders) {
  const std::string body = SimpleMesh().substr(kHeader.size() - 1);
  for (const char* header : {"xof 0302bin 0032", "xof 0302tzip0032", "xof 0302bzip0032", "xof 0201txt 0032",
                             "xof 0302txt 0016", "XOF 0302txt 0032", "xof 03a2txt 0032", "xof"}) {
    Read(header + body, kErrBadFile);
  }
  Read("", kErrBadFile);
  Read(kHeader, kErrNotFound);  // no mesh
  Read(kHeader + "Frame { FrameTransformMatrix { 1,0,0,0,0,1,0,0,0,0,1,0,0,0,0,1;; } }", kErrNotFound);
}

TEST(XFile, MalformedDataIsABadFile) {
  const char* bodies[] = {
      "4; 0;0;0;, 0;1;0;, 1;0;0;; 1; 3;0,1,2;;",         // fewer vertices than counted
      "3; 0;0;0;, 0;1;0;, 1;0;0;; 2; 3;0,1,2;;",         // fewer faces than counted
      "3; 0;0;0;, 0;1;0;, 1;0;0;; 1; 3;0,1,3;;",         // index out of range
      "3; 0;0;0;, 0;nan;0;, 1;0;0;; 1; 3;0,1,2;;",       // NaN
      "3; 0;0;0;, 0;1;0;, 1;0;1.#INF\n;; 1; 3;0,1,2;;",  // and infinity, at a line end
      "3; 0;0;0;, 0;1e30;0;, 1;0;0;; 1; 3;0,1,2;;",      // enormous
      "4000000000; 0;0;0;; 1; 3;0,0,0;;",                // count far beyond the file
      "3; 0;0;0;, 0;1;0;, 1;0;0;; 1; 3;0,1,2;; MeshMaterialList { 1; 1; 1;; Material {1;1;1;1;;0;0;0;0;;0;0;0;;} }",
      "3; 0;0;0;, 0;1;0;, 1;0;0;; 1; 3;0,1,2;; MeshMaterialList { 1; 1; 0;; {Undefined} }",
      "3; 0;0;0;, 0;1;0;, 1;0;0;; 1; 3;0,1,2;; MeshNormals { 1; 0;1;0;; 1; 3;0,0,1;; }",
      "3; 0;0;0;, 0;1;0;, 1;0;0;; 1; 3;0,1,2;; MeshVertexColors { 1; 3; 1;1;1;1;; }",
      "3; 0;0;0;, 0;1;0;, 1;0;0;; 1; 3;0,1,2;; Unknown { { } ",  // unbalanced
      "three; 0;0;0;, 0;1;0;, 1;0;0;; 1; 3;0,1,2;;",
  };
  for (const char* body : bodies) {
    SCOPED_TRACE(body);
    Read(SimpleMesh(body), kErrBadFile);
  }
  Read(kHeader + "}", kErrBadFile);
  Read(kHeader + "Mesh", kErrBadFile);
  Read(kHeader + "Mesh Name Extra {", kErrBadFile);
}

TEST(XFile, EveryTruncationFailsCleanly) {
  // Cut anywhere before the mesh's closing brace, the file is bad.
  const std::size_t end = kWellFormed.rfind('}');
  for (std::size_t n = 0; n < end; ++n) {
    MeshData m;
    HResult r = ReadXMesh(std::string_view(kWellFormed).substr(0, n), &m);
    ASSERT_TRUE(r == kErrBadFile || r == kErrNotFound) << "cut at " << n;
  }
  MeshData m;
  EXPECT_EQ(ReadXMesh(std::string_view(kWellFormed).substr(0, end + 1), &m), kOk);
}

TEST(XFile, DeepNestingWithoutRecursion) {
  const int depth = 5000;
  std::string objects, frames;
  for (int i = 0; i < depth; ++i) objects += "Unknown {";
  for (int i = 0; i < depth; ++i) objects += "}";
  for (int i = 0; i < depth; ++i) frames += "Frame {";
  const std::string mesh = SimpleMesh().substr(kHeader.size());
  Read(kHeader + objects + mesh);
  Read(kHeader + frames + mesh + std::string(depth, '}'));
  Read(kHeader + frames + mesh);  // unclosed frames after the mesh do not matter
  Read(kHeader + std::string(200000, '{'), kErrBadFile);
  Read(kHeader + frames, kErrBadFile);
}

}  // namespace
}  // namespace platform::rm

#include "platform/rm/xfile_reader.h"

#include <charconv>
#include <cmath>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "platform/os/file_access.h"
#include "platform/os/number_text.h"
#include "platform/rm/rm_result.h"
#include "platform/rm/xfile_lexer.h"

namespace platform::rm {
namespace {

// Coordinates beyond this are refused: they could only come from a damaged
// file, and products of them would overflow.
constexpr float kMaxCoordinate = 1e6f;
constexpr std::size_t kHeaderSize = 16;

bool HeaderIsText(std::string_view text) {
  if (text.size() < kHeaderSize) return false;
  auto digits = [](std::string_view s) {
    for (char c : s) {
      if (c < '0' || c > '9') return false;
    }
    return true;
  };
  std::string_view floatSize = text.substr(12, 4);
  return text.substr(0, 4) == "xof " && text.substr(4, 2) == "03" && digits(text.substr(6, 2)) &&
         text.substr(8, 4) == "txt " && (floatSize == "0032" || floatSize == "0064");
}

bool InRange(Vec3 v) {
  auto ok = [](float f) { return std::isfinite(f) && std::fabs(f) <= kMaxCoordinate; };
  return ok(v.x) && ok(v.y) && ok(v.z);
}

class Reader {
 public:
  explicit Reader(std::string_view text) : lex_(text, kHeaderSize) {}

  HResult ReadFirstMesh(MeshData* out);
  // Set when a count passed one of the model limits.
  const std::string& LimitPassed() const { return limitPassed_; }

 private:
  XToken NextSignificant();
  bool ReadUInt(std::uint32_t* v);
  bool ReadFloat(float* v);
  bool ReadVector(Vec3* v);
  bool ReadColor(Color* c, bool withAlpha);
  bool CountFits(std::uint64_t count, std::uint64_t numbersPerItem) const;
  bool OpenObject(std::string_view* name);
  bool SkipBody();
  bool ReadReference(std::string_view* name);
  bool ReadMesh(MeshData* mesh);
  bool ReadNormals(MeshData* mesh);
  bool ReadMaterialList(MeshData* mesh);
  bool ReadMaterial(Color* color);
  bool ReadVertexColors(MeshData* mesh);
  bool ReadMatrix(Matrix* m);

  XLexer lex_;
  std::map<std::string, Color, std::less<>> materials_;
  std::string limitPassed_;
};

XToken Reader::NextSignificant() {
  XToken t = lex_.Next();
  while (t.kind == XTokenKind::Separator) t = lex_.Next();
  return t;
}

bool Reader::ReadUInt(std::uint32_t* v) {
  XToken t = NextSignificant();
  if (t.kind != XTokenKind::Word) return false;
  const char* end = t.text.data() + t.text.size();
  auto [ptr, ec] = std::from_chars(t.text.data(), end, *v);
  return ec == std::errc() && ptr == end;
}

bool Reader::ReadFloat(float* v) {
  XToken t = NextSignificant();
  if (t.kind != XTokenKind::Word) return false;
  std::string_view s = t.text;
  if (!s.empty() && s.front() == '+') s.remove_prefix(1);
  const char* end = s.data() + s.size();
  auto [ptr, ec] = os::FloatFromChars(s.data(), end, *v);
  return ec == std::errc() && ptr == end && std::isfinite(*v) && std::fabs(*v) <= kMaxCoordinate;
}

bool Reader::ReadVector(Vec3* v) { return ReadFloat(&v->x) && ReadFloat(&v->y) && ReadFloat(&v->z); }

bool Reader::ReadColor(Color* c, bool withAlpha) {
  c->a = 1.0f;
  if (!ReadFloat(&c->r) || !ReadFloat(&c->g) || !ReadFloat(&c->b)) return false;
  if (withAlpha && !ReadFloat(&c->a)) return false;
  *c = ClampColor(*c);
  return true;
}

// A number takes at least one byte and one byte to part it from the next, so
// a count can never need more items than the rest of the file could hold.
bool Reader::CountFits(std::uint64_t count, std::uint64_t numbersPerItem) const {
  return count * numbersPerItem <= (static_cast<std::uint64_t>(lex_.Remaining()) + 1) / 2;
}

// After a data object's type: an optional name, an optional GUID, the
// opening brace and an optional GUID inside it.
bool Reader::OpenObject(std::string_view* name) {
  XToken t = lex_.Next();
  *name = {};
  if (t.kind == XTokenKind::Word) {
    *name = t.text;
    t = lex_.Next();
  }
  if (t.kind == XTokenKind::Guid) t = lex_.Next();
  if (t.kind != XTokenKind::OpenBrace) return false;
  if (lex_.Peek().kind == XTokenKind::Guid) lex_.Next();
  return true;
}

// Consumes the rest of an object, nested objects included, without
// recursion however deep they go.
bool Reader::SkipBody() {
  std::size_t depth = 1;
  for (;;) {
    XToken t = lex_.Next();
    switch (t.kind) {
      case XTokenKind::OpenBrace: ++depth; break;
      case XTokenKind::CloseBrace:
        if (--depth == 0) return true;
        break;
      case XTokenKind::End:
      case XTokenKind::Error: return false;
      default: break;
    }
  }
}

// After the brace of a reference: { name }, { <guid> } or { name <guid> }.
bool Reader::ReadReference(std::string_view* name) {
  XToken t = NextSignificant();
  *name = {};
  if (t.kind == XTokenKind::Word) {
    *name = t.text;
    t = NextSignificant();
  }
  if (t.kind == XTokenKind::Guid) t = NextSignificant();
  return t.kind == XTokenKind::CloseBrace;
}

bool Reader::ReadMatrix(Matrix* m) {
  float v[16];
  for (float& f : v) {
    if (!ReadFloat(&f)) return false;
  }
  m->x = {v[0], v[1], v[2]};
  m->y = {v[4], v[5], v[6]};
  m->z = {v[8], v[9], v[10]};
  m->origin = {v[12], v[13], v[14]};
  return SkipBody();
}

bool Reader::ReadMaterial(Color* color) {
  // faceColor is all a face takes; power, specular and emissive colours and
  // texture names are skipped with the rest of the object.
  return ReadColor(color, true) && SkipBody();
}

bool Reader::ReadNormals(MeshData* mesh) {
  std::uint32_t count, faceCount;
  if (!ReadUInt(&count) || !CountFits(count, 3)) return false;
  std::vector<Vec3> normals;
  normals.reserve(count);
  for (std::uint32_t i = 0; i < count; ++i) {
    Vec3 n;
    if (!ReadVector(&n)) return false;
    normals.push_back(n);
  }
  if (!ReadUInt(&faceCount) || faceCount != mesh->faceSizes.size()) return false;
  std::vector<std::uint32_t> indices;
  indices.reserve(mesh->faceIndices.size());
  for (std::uint32_t f = 0; f < faceCount; ++f) {
    std::uint32_t size;
    if (!ReadUInt(&size) || size != mesh->faceSizes[f]) return false;
    for (std::uint32_t k = 0; k < size; ++k) {
      std::uint32_t index;
      if (!ReadUInt(&index) || index >= count) return false;
      indices.push_back(index);
    }
  }
  if (!SkipBody()) return false;
  mesh->normals = std::move(normals);
  mesh->faceNormalIndices = std::move(indices);
  return true;
}

bool Reader::ReadMaterialList(MeshData* mesh) {
  std::uint32_t materialCount, indexCount;
  if (!ReadUInt(&materialCount) || !ReadUInt(&indexCount) || !CountFits(indexCount, 1)) return false;
  std::vector<std::uint32_t> indices;
  indices.reserve(indexCount);
  for (std::uint32_t i = 0; i < indexCount; ++i) {
    std::uint32_t index;
    if (!ReadUInt(&index) || index >= materialCount) return false;
    indices.push_back(index);
  }
  std::vector<Color> materials;
  for (;;) {
    XToken t = NextSignificant();
    if (t.kind == XTokenKind::CloseBrace) break;
    if (t.kind == XTokenKind::OpenBrace) {
      std::string_view name;
      if (!ReadReference(&name)) return false;
      auto it = materials_.find(name);
      if (it == materials_.end()) return false;  // names a material never defined
      materials.push_back(it->second);
    } else if (t.kind == XTokenKind::Word) {
      std::string_view name;
      if (!OpenObject(&name)) return false;
      if (t.text == "Material") {
        Color c;
        if (!ReadMaterial(&c)) return false;
        if (!name.empty()) materials_[std::string(name)] = c;
        materials.push_back(c);
      } else if (!SkipBody()) {
        return false;
      }
    } else {
      return false;
    }
  }
  if (materials.size() < materialCount) return false;
  // Faces beyond the list take its last entry.
  mesh->faceColors.assign(mesh->faceSizes.size(), Color{});
  if (materialCount == 0) return true;
  for (std::size_t f = 0; f < mesh->faceSizes.size(); ++f) {
    std::uint32_t index = indexCount == 0 ? 0 : indices[std::min<std::size_t>(f, indexCount - 1)];
    mesh->faceColors[f] = materials[index];
  }
  return true;
}

bool Reader::ReadVertexColors(MeshData* mesh) {
  std::uint32_t count;
  if (!ReadUInt(&count) || !CountFits(count, 5)) return false;
  std::vector<Color> colors(mesh->positions.size());
  for (std::uint32_t i = 0; i < count; ++i) {
    std::uint32_t index;
    Color c;
    if (!ReadUInt(&index) || index >= colors.size() || !ReadColor(&c, true)) return false;
    colors[index] = c;
  }
  if (!SkipBody()) return false;
  mesh->vertexColors = std::move(colors);
  return true;
}

bool Reader::ReadMesh(MeshData* mesh) {
  std::uint32_t vertexCount, faceCount;
  if (!ReadUInt(&vertexCount) || !CountFits(vertexCount, 3)) return false;
  if (vertexCount > kMaxXVertices) {
    limitPassed_ =
        std::to_string(vertexCount) + " vertices, more than the " + std::to_string(kMaxXVertices) + " a model may have";
    return false;
  }
  mesh->positions.reserve(vertexCount);
  for (std::uint32_t i = 0; i < vertexCount; ++i) {
    Vec3 p;
    if (!ReadVector(&p)) return false;
    mesh->positions.push_back(p);
  }
  if (!ReadUInt(&faceCount) || !CountFits(faceCount, 1)) return false;
  if (faceCount > kMaxXFaces) {
    limitPassed_ =
        std::to_string(faceCount) + " faces, more than the " + std::to_string(kMaxXFaces) + " a model may have";
    return false;
  }
  mesh->faceSizes.reserve(faceCount);
  for (std::uint32_t f = 0; f < faceCount; ++f) {
    std::uint32_t size;
    if (!ReadUInt(&size) || !CountFits(size, 1)) return false;
    mesh->faceSizes.push_back(size);
    for (std::uint32_t k = 0; k < size; ++k) {
      std::uint32_t index;
      if (!ReadUInt(&index) || index >= vertexCount) return false;
      mesh->faceIndices.push_back(index);
    }
  }
  for (;;) {
    XToken t = NextSignificant();
    if (t.kind == XTokenKind::CloseBrace) return true;
    if (t.kind == XTokenKind::OpenBrace) {
      if (!SkipBody()) return false;
      continue;
    }
    if (t.kind != XTokenKind::Word) return false;
    std::string_view name;
    if (!OpenObject(&name)) return false;
    bool ok;
    if (t.text == "MeshNormals") {
      ok = ReadNormals(mesh);
    } else if (t.text == "MeshMaterialList") {
      ok = ReadMaterialList(mesh);
    } else if (t.text == "MeshVertexColors") {
      ok = ReadVertexColors(mesh);
    } else {
      ok = SkipBody();  // texture coordinates and everything else
    }
    if (!ok) return false;
  }
}

HResult Reader::ReadFirstMesh(MeshData* out) {
  struct OpenFrame {
    Matrix parent;       // where the enclosing frames put this frame
    Matrix accumulated;  // this frame's own matrix, then the enclosing ones
  };
  std::vector<OpenFrame> frames;
  for (;;) {
    XToken t = lex_.Next();
    switch (t.kind) {
      case XTokenKind::End: return frames.empty() ? kErrNotFound : kErrBadFile;
      case XTokenKind::Separator: continue;
      case XTokenKind::CloseBrace:
        if (frames.empty()) return kErrBadFile;
        frames.pop_back();
        continue;
      case XTokenKind::OpenBrace:
        if (!SkipBody()) return kErrBadFile;
        continue;
      case XTokenKind::Word: break;
      default: return kErrBadFile;
    }
    if (t.text == "template") {
      XToken name = lex_.Next();
      if (name.kind != XTokenKind::Word || lex_.Next().kind != XTokenKind::OpenBrace || !SkipBody()) {
        return kErrBadFile;
      }
      continue;
    }
    std::string_view name;
    if (!OpenObject(&name)) return kErrBadFile;
    if (t.text == "Frame") {
      Matrix enclosing = frames.empty() ? Matrix{} : frames.back().accumulated;
      frames.push_back({enclosing, enclosing});
    } else if (t.text == "FrameTransformMatrix") {
      Matrix m;
      if (!ReadMatrix(&m)) return kErrBadFile;
      if (!frames.empty()) frames.back().accumulated = m * frames.back().parent;
    } else if (t.text == "Material") {
      Color c;
      if (!ReadMaterial(&c)) return kErrBadFile;
      if (!name.empty()) materials_[std::string(name)] = c;
    } else if (t.text == "Mesh") {
      MeshData mesh;
      if (!ReadMesh(&mesh)) return kErrBadFile;
      if (!frames.empty()) {
        const Matrix& m = frames.back().accumulated;
        for (Vec3& p : mesh.positions) {
          p = m.TransformPoint(p);
          if (!InRange(p)) return kErrBadFile;
        }
        for (Vec3& n : mesh.normals) n = Normalize(m.TransformVector(n));
      }
      *out = std::move(mesh);
      return kOk;
    } else if (!SkipBody()) {
      return kErrBadFile;
    }
  }
}

}  // namespace

HResult ReadXMesh(std::string_view text, MeshData* out, std::string* why) {
  auto refuse = [&](HResult code, const char* reason) {
    if (why) *why = reason;
    return code;
  };
  if (!out) return refuse(kErrBadValue, "no mesh to fill");
  if (!HeaderIsText(text)) return refuse(kErrBadFile, "not a text .x file");
  Reader reader(text);
  const HResult r = reader.ReadFirstMesh(out);
  if (r == kErrNotFound) return refuse(r, "holds no mesh");
  if (Failed(r)) return refuse(r, reader.LimitPassed().empty() ? "malformed data" : reader.LimitPassed().c_str());
  return r;
}

HResult ReadXMeshFile(const std::string& path, MeshData* out, std::string* why) {
  if (!out) return kErrBadValue;
  const os::FileRead file = os::ReadRegularFile(path, os::FileKind::kModel);
  if (!file.Ok()) {
    if (why) *why = file.why;
    return file.status == os::FileRead::kMissing ? kErrFileNotFound : kErrBadFile;
  }
  return ReadXMesh(file.bytes, out, why);
}

}  // namespace platform::rm
